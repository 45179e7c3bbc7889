#include "app/InputState.h"

InputState inputState;
