// Texts that more than one engine procedure shows.
#ifndef VELORIN_ENGINE_ENGINE_TEXT_H
#define VELORIN_ENGINE_ENGINE_TEXT_H

#define ENGINE_CAPTION "Velorin Installation"

#endif
