#pragma once

#include <QList>
#include <QPair>
#include <QString>

#include <cstdint>
#include <functional>

class QWidget;

enum class TPTMsgIcon { None, Information, Warning, Critical, Question };

// The buttons carry the toolkit's standard-button numbers, so the widget layer
// hands them on unchanged while this layer stays free of widgets.
enum TPTMsgButton : std::uint32_t {
    ptmbNone = 0,
    ptmbOk = 0x00000400,
    ptmbYes = 0x00004000,
    ptmbYesToAll = 0x00008000,
    ptmbNo = 0x00010000,
    ptmbNoToAll = 0x00020000,
    ptmbAbort = 0x00040000,
    ptmbRetry = 0x00080000,
    ptmbIgnore = 0x00100000,
    ptmbCancel = 0x00400000,
};
using TPTMsgButtons = std::uint32_t;

// What one message box of the shell library and the dialogs shows.
struct TPTMessageBoxRequest {
    QWidget* parent = nullptr; // null: the active window
    TPTMsgIcon icon = TPTMsgIcon::Warning;
    QString caption; // empty: the application's display name
    QString text;
    TPTMsgButtons buttons = ptmbOk;
    TPTMsgButton defaultButton = ptmbNone;
    // Texts of their own for some of the buttons ("Keep Both" on ptmbIgnore).
    QList<QPair<TPTMsgButton, QString>> buttonTexts;
};

using TPTMessageBoxHandler = std::function<TPTMsgButton(const TPTMessageBoxRequest& request)>;

// Every message box of the library goes through here. A handler set by
// SetPTMessageBoxHandler answers first (tests); otherwise the presenter that the
// shell widget layer installs shows a modal box; with neither, the text is
// logged and ptmbNone returned. User-interface thread only.
TPTMsgButton PTMessageBox(const TPTMessageBoxRequest& request);

// Replaces the box with a handler, so tests can see and answer boxes without
// blocking; an empty handler brings the presenter back. Returns the handler that
// was installed (empty for none).
TPTMessageBoxHandler SetPTMessageBoxHandler(TPTMessageBoxHandler handler);

// The one real box, installed by the shell widget layer.
void SetPTMessageBoxPresenter(TPTMessageBoxHandler presenter);
bool HasPTMessageBoxPresenter();
