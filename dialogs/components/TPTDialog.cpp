#include "dialogs/components/TPTDialog.h"

#include "platform/EPlatformError.h"

#include <QBuffer>
#include <QScopeGuard>

TPTDialog::TPTDialog(QObject* aOwner) : QObject(aOwner) {}

TPTDialog::~TPTDialog() = default;

bool TPTDialog::Execute()
{
    if (FExecuting)
        throw EPlatformError(QString::fromLatin1(metaObject()->className()) +
                             QStringLiteral(" already executing"));
    FExecuting = true;
    const auto clear = qScopeGuard([this] { FExecuting = false; });
    return DoExecute();
}

void TPTDialog::DoInitialized()
{
    if (OnInitialized)
        OnInitialized(this);
}

TPTDialogState TPTDialog::DialogState() const
{
    return {FormWidth, FormHeight, FormWindowState};
}

void TPTDialog::SetDialogState(const TPTDialogState& state)
{
    FormWidth = state.FormWidth;
    FormHeight = state.FormHeight;
    FormWindowState = state.FormWindowState;
}

QString TPTDialog::NameForMessages() const
{
    return objectName().isEmpty() ? QString::fromLatin1(metaObject()->className()) : objectName();
}

bool TPTDialog::ReadStateFromStream(QIODevice& stream)
{
    const std::optional<TPTDialogState> state = DecodeDialogState(stream.peek(kDialogStateSize));
    if (!state)
        return false;
    stream.skip(kDialogStateSize);
    SetDialogState(*state);
    return true;
}

bool TPTDialog::WriteStateToStream(QIODevice& stream) const
{
    const QByteArray bytes = EncodeDialogState(DialogState());
    return stream.write(bytes) == bytes.size();
}

bool TPTDialog::ReadStateFromRegistry(TRegistryRoot root, const QString& keyPath,
                                      const QString& valueName)
{
    const std::optional<TRegistryKey> key = TRegistryKey::Open(root, keyPath);
    if (!key)
        return false;
    std::optional<QByteArray> value = key->ReadBinary(valueName);
    if (!value || value->size() > kMaxStateValueSize)
        return false;
    QBuffer buffer(&*value);
    buffer.open(QIODevice::ReadOnly);
    return ReadStateFromStream(buffer);
}

bool TPTDialog::WriteStateToRegistry(TRegistryRoot root, const QString& keyPath,
                                     const QString& valueName) const
{
    std::optional<TRegistryKey> key = TRegistryKey::Open(root, keyPath, true);
    if (!key)
        return false;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return WriteStateToStream(buffer) && key->WriteBinary(valueName, bytes);
}
