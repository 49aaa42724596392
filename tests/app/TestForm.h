#pragma once

#include "app/VeldmarkMain.h"

#include <QChart>
#include <QChartView>
#include <QFile>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// Holds the settings folder of a test window; a base so that it exists
// before the window reads its settings. It is the configuration home while
// the window lives, so the registry store (the Save dialog's state) is the
// test's own too.
struct TestSettingsDir {
    QTemporaryDir settingsDir;
    const bool configHomeWasSet = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");

    TestSettingsDir() { qputenv("XDG_CONFIG_HOME", QFile::encodeName(settingsDir.path())); }
    ~TestSettingsDir()
    {
        if (configHomeWasSet)
            qputenv("XDG_CONFIG_HOME", configHome);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }
    QString IniPath() const { return settingsDir.filePath(QStringLiteral("VELDMARK.INI")); }
};

// A main window with its own settings file, whose messages are collected
// instead of shown.
struct TestForm : TestSettingsDir, TMainForm {
    QStringList messages;

    TestForm() : TMainForm(IniPath())
    {
        MessagePresenter = [this](QWidget*, const QString& text, QMessageBox::Icon) {
            messages << text;
        };
    }
    void Set(QLineEdit* edit, const QString& text) { edit->setText(text); }
    void ClickAdd() { QTest::mouseClick(AddButton, Qt::LeftButton); }
    int Series(QChartView* view) const { return int(view->chart()->series().size()); }
    QList<QPointF> Points(QChartView* view, int i) const
    {
        return static_cast<QLineSeries*>(view->chart()->series().at(i))->points();
    }
};
