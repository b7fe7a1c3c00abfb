// The host's character type: every name and text of the database is wide.
#pragma once

using ACHAR = wchar_t;
