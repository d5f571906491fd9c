#include "setup_state.h"

SetupState setupState;
