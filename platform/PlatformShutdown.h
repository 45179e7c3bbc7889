// Releases what the platform layer keeps for the whole process (the text back end's faces and
// libraries, the windowing system), so that a leak checker run at exit sees only what the program itself
// forgot to free.
#pragma once

#ifndef _WIN32
void ShutdownPlatform();
#endif
