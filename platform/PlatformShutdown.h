// Releases what the platform layer keeps for the whole process (font engine, fontconfig's data,
// SDL), so that a leak checker run at exit sees only what the program itself forgot to free.
#pragma once

#ifndef _WIN32
void ShutdownPlatform();
#endif
