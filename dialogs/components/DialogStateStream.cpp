#include "dialogs/components/DialogStateStream.h"

#include <QtEndian>

#include <algorithm>

namespace
{

void AppendInt32(QByteArray& bytes, std::int32_t value)
{
    char le[4];
    qToLittleEndian(value, le);
    bytes.append(le, 4);
}

std::int32_t Int32At(QByteArrayView bytes, int offset)
{
    return qFromLittleEndian<std::int32_t>(bytes.data() + offset);
}

// A size or position: negative means "not set", which -1 says for all.
std::int32_t ClampedExtent(std::int32_t value)
{
    return value < 0 ? -1 : std::min(value, kMaxFormExtent);
}

} // namespace

QByteArray EncodeDialogState(const TPTDialogState& state)
{
    QByteArray bytes;
    bytes.reserve(kFileDlgStateSize);
    AppendInt32(bytes, state.FormWidth);
    AppendInt32(bytes, state.FormHeight);
    bytes.append(char(state.FormWindowState));
    return bytes;
}

QByteArray EncodeFileDlgState(const TPTFileDlgState& state)
{
    QByteArray bytes = EncodeDialogState(state.Dialog);
    bytes.append(char(state.ShowTree ? 1 : 0));
    AppendInt32(bytes, state.FormSplitterPos);
    return bytes;
}

std::optional<TPTDialogState> DecodeDialogState(QByteArrayView bytes)
{
    if (bytes.size() < kDialogStateSize)
        return std::nullopt;
    const auto windowState = std::uint8_t(bytes[8]);
    if (windowState > wsMaximized)
        return std::nullopt;
    TPTDialogState state;
    state.FormWidth = ClampedExtent(Int32At(bytes, 0));
    state.FormHeight = ClampedExtent(Int32At(bytes, 4));
    state.FormWindowState = TWindowState(windowState);
    return state;
}

std::optional<TPTFileDlgState> DecodeFileDlgState(QByteArrayView bytes)
{
    if (bytes.size() < kFileDlgStateSize)
        return std::nullopt;
    const std::optional<TPTDialogState> dialog = DecodeDialogState(bytes);
    const auto treeFlag = std::uint8_t(bytes[9]);
    if (!dialog || treeFlag > 1)
        return std::nullopt;
    TPTFileDlgState state;
    state.Dialog = *dialog;
    state.ShowTree = treeFlag == 1;
    state.FormSplitterPos = ClampedExtent(Int32At(bytes, 10));
    return state;
}
