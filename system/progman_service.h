// The seam between the Program Manager group and the server it talks to:
// the DDE service name, which a test points at a recording server of its own
// (or at none), so that no test makes groups in the machine's shell.
#ifndef VELORIN_SYSTEM_PROGMAN_SERVICE_H
#define VELORIN_SYSTEM_PROGMAN_SERVICE_H

// "PROGMAN" unless a test has named another service before ProgmanInit.
extern const char* progmanService;

#endif
