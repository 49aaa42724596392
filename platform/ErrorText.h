#pragma once

#include "platform/ResultCodes.h"

#include <QString>

// The platform's message text for a result code: the C library's text for
// codes that came from an errno value, fixed texts for the generic codes, and
// "Unknown error 0x%08X" otherwise. Never empty.
QString ResultCodeText(HRESULT code);
