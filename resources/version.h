// The module's version, in one place: the version record of Tavrel_Instr.rc
// and the release (its zip's name, README.txt, Manual.html) take it from
// here (cmake/version.cmake reads these four lines).
#pragma once

#define TAVREL_VERSION_MAJOR 1
#define TAVREL_VERSION_MINOR 0
#define TAVREL_VERSION_PATCH 0
#define TAVREL_VERSION_BUILD 0
