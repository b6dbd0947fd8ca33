// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Services.h"
#include "settings/SettingsPage.h"

#include <functional>
#include <memory>

namespace Ui {
class InterfacePage;
}

class AppData;
class ClockWindow;
class QComboBox;

// "用户界面": the clock's look. The skin folder's bitmaps fill the
// background and digit lists (the built-in ones first), sorted out by
// their size; the preview shows the chosen pair with the time running. The
// opacity slider acts on the clock while it moves; Cancel takes that back.
class InterfacePage final : public SettingsPage
{
    Q_OBJECT

public:
    // Asks for a folder, starting at the one given; empty when cancelled.
    using FolderChooser = std::function<QString(QWidget *parent, const QString &start)>;

    InterfacePage(AppData &data, const Services &services, ClockWindow &clock, QWidget *parent = nullptr);
    ~InterfacePage() override;

    void Save() override;
    void Revert() override;

    // The folder browser of the "..." button; tests put their own.
    void setFolderChooser(FolderChooser chooser) { m_chooseFolder = std::move(chooser); }
    static QString ChooseFolder(QWidget *parent, const QString &start);

private:
    void browse();
    void takeFolder(const QString &folder);
    void listFolder(const QString &folder);
    void selectByName(QComboBox *list, const QString &name);
    QString chosenPath(const QComboBox *list) const;
    void showOpacity(int value);
    void previewFace();
    void previewDigits();

    std::unique_ptr<Ui::InterfacePage> m_ui;
    AppData &m_data;
    ClockWindow &m_clock;
    FolderChooser m_chooseFolder;
    QString m_listedFolder;
    // The bitmaps the lists showed when last applied (or opened): only a
    // new choice changes the clock's skin.
    QString m_appliedFace;
    QString m_appliedDigits;
};
