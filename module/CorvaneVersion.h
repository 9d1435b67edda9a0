// The module's version, set here only: the version resource, the component manifest and the
// release packages all take it from this file.
#pragma once

#define CORVANE_VERSION_MAJOR 3
#define CORVANE_VERSION_MINOR 0
#define CORVANE_VERSION_BUILD 0
#define CORVANE_VERSION_REVISION 0
// The resource's text form of the same four numbers.
#define CORVANE_VERSION_TEXT "3, 0, 0, 0"
