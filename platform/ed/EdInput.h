// Interactive input, asked of the current uv::User. Each call echoes its
// prompt and the answer to the command line and returns RTNORM, RTNONE
// (Enter), RTCAN (Escape) or RTERROR.
#pragma once

#include <cstddef>

#include "db/adsdef.h"

// acedInitGet flags.
#define RSG_NONULL 0x0001   // Enter is not an answer
#define RSG_NOZERO 0x0002
#define RSG_NONEG 0x0004

// Conditions for the next input call only; keywords separated by blanks,
// "Yes No _Yes No" giving local names before and global names after the "_".
int acedInitGet(int flags, const wchar_t* keywords);

int acedGetPoint(const ads_point base, const wchar_t* prompt, ads_point result);
int acedGetCorner(const ads_point base, const wchar_t* prompt, ads_point result);
// cronly 0: a space ends the input as Enter does. Enter gives RTNORM with an
// empty text. An answer that does not fit the buffer gives RTINPUTTRUNCATED.
int acedGetString(int cronly, const wchar_t* prompt, wchar_t* result, size_t bufferSize = 132);
int acedGetInt(const wchar_t* prompt, int* result);
int acedGetReal(const wchar_t* prompt, ads_real* result);
// One of the keywords set by acedInitGet (its global name when it has one).
int acedGetKword(const wchar_t* prompt, wchar_t* result, size_t bufferSize = 132);
// The entity under the pick box around the picked point, or one named by
// handle. A miss gives RTERROR with ERRNO 7, Enter RTERROR with ERRNO 52.
int acedEntSel(const wchar_t* prompt, ads_name entity, ads_point pickPoint);
// Shows a text on the command line.
int acedPrompt(const wchar_t* text);
