#pragma once

#include "platform/ResultCodes.h"
#include "shell/shell95/TItemIDList.h"
#include "shell/shell95/TStrRet.h"

#include <QString>

#include <cstdint>

// Kind 0: the UTF-16 string; kind 1: the UTF-8 text at the offset inside the
// list (empty for a null list); kind 2: the inline buffer up to its first zero.
// Byte texts may hold names that are not UTF-8; they convert losslessly.
QString StrretToString(PCItemIDList idList, const TStrRet& strRet);

// Frees the kind-0 string through the shell allocator; other kinds: nothing.
void StrretFree(TStrRet& strRet);

// For folder implementations: a kind-0 result (allocated from the shell
// allocator; E_OUTOFMEMORY when that fails) or a kind-1 result.
HRESULT StrretFromString(const QString& text, TStrRet* strRet);
void StrretFromOffset(std::uint32_t offset, TStrRet* strRet);
