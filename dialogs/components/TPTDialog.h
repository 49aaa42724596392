#pragma once

#include "controls/PTNotifyEvent.h"
#include "dialogs/components/DialogStateStream.h"
#include "dialogs/components/PTDialogTypes.h"
#include "platform/Registry.h"

#include <QObject>
#include <QString>

#include <cstdint>

class QIODevice;

// A non-visual dialog component: the owner sets its properties, calls
// Execute and reads the results. The component keeps the form's geometry
// from one Execute to the next and can save it as a state stream. The
// component's name (Name, Qt's objectName) appears in its error messages.
// User-interface thread only.
class TPTDialog : public QObject
{
    Q_OBJECT
  public:
    explicit TPTDialog(QObject* aOwner = nullptr);
    ~TPTDialog() override;

    // Runs the dialog modally; true when the user confirmed. Raises
    // EPlatformError "<class> already executing" when called again while it
    // runs (from one of its own event handlers); the running dialog goes on.
    bool Execute();
    bool Executing() const { return FExecuting; }

    QString Name() const { return objectName(); }
    void SetName(const QString& name) { setObjectName(name); }

    // The state stream at the stream's position: 9 bytes here, more in
    // derived classes (DialogStateStream.h). Reading refuses (false, nothing
    // changed, the stream left where it was) a stream that is too short or
    // holds values no component writes; sizes out of range are clamped.
    virtual bool ReadStateFromStream(QIODevice& stream);
    virtual bool WriteStateToStream(QIODevice& stream) const;

    // The state stream as one binary value of a registry key. Reading a key
    // or value that is missing, longer than kMaxStateValueSize or refused by
    // ReadStateFromStream returns false and changes nothing; writing creates
    // the key and returns whether the value was stored.
    bool ReadStateFromRegistry(TRegistryRoot root, const QString& keyPath,
                               const QString& valueName);
    bool WriteStateToRegistry(TRegistryRoot root, const QString& keyPath,
                              const QString& valueName) const;
    static constexpr int kMaxStateValueSize = 128;

    // Client size of the form (without the window manager's frame); 0 or
    // less keeps its designed size.
    std::int32_t FormWidth = -1;
    std::int32_t FormHeight = -1;
    TWindowState FormWindowState = wsNormal;
    // The form's caption; empty gives the class's own.
    QString Title;
    int Tag = 0;

    // Fired after the form is made and configured, before it shows.
    TNotifyEvent OnInitialized;
    // Handed to the form: fired when it has finished showing, when it hides.
    TNotifyEvent OnFormShow;
    TNotifyEvent OnFormClose;

  protected:
    virtual void DoInitialized();
    virtual bool DoExecute() = 0;

    TPTDialogState DialogState() const;
    void SetDialogState(const TPTDialogState& state);
    // Name, or the class name when the component has none: for messages.
    QString NameForMessages() const;

  private:
    bool FExecuting = false;
};
