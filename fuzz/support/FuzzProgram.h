// What the fuzz targets that need the running program share: one start of the real window,
// AppContext and scene for the whole session, and a leak check every few hundred inputs.
#pragma once

namespace fuzz_program {

// Opens the program's window (SDL's offscreen driver) and builds the scene the first time; later
// calls do nothing. Aborts when the window cannot be made.
void StartOnce(const char* target);

// Counts one input; every `leakCheckInterval` inputs, and once when the session ends, asks
// LeakSanitizer for unreachable blocks and aborts on any, so libFuzzer keeps the input at hand and
// the report names where the leaked blocks were allocated. One check costs a scan of the whole
// heap, which after every input took more time than the input itself.
void InputDone();

constexpr long leakCheckInterval = 500;

} // namespace fuzz_program
