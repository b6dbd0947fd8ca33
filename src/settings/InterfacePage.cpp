// SPDX-License-Identifier: MIT
#include "settings/InterfacePage.h"

#include "model/AppData.h"
#include "settings/SettingsLook.h"
#include "settings/SettingsRules.h"
#include "shell/ClockWindow.h"
#include "shell/SkinImage.h"
#include "ui_InterfacePage.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>

InterfacePage::InterfacePage(AppData &data, const Services &services, ClockWindow &clock, QWidget *parent)
    : SettingsPage(parent)
    , m_ui(std::make_unique<Ui::InterfacePage>())
    , m_data(data)
    , m_clock(clock)
    , m_chooseFolder(&InterfacePage::ChooseFolder)
{
    m_ui->setupUi(this);
    const SettingsLook::Page look = SettingsLook::Interface();
    m_ui->heading->setHeading(look.icon, look.title, look.tint);

    const InterfaceSettings &ui = m_data.Settings.Interface;
    const QString folder = ui.BitmapFilePath.isEmpty() ? m_data.SkinDirectory() : ui.BitmapFilePath;
    m_ui->folderCombo->addItem(QDir::toNativeSeparators(folder));
    m_ui->folderCombo->setCurrentIndex(0);
    listFolder(folder);
    selectByName(m_ui->backgroundCombo, QFileInfo(m_data.Settings.Clock.DialogBitmap).fileName());
    selectByName(m_ui->digitsCombo, QFileInfo(m_data.Settings.Clock.NumberBitmap).fileName());
    m_appliedFace = chosenPath(m_ui->backgroundCombo);
    m_appliedDigits = chosenPath(m_ui->digitsCombo);
    m_ui->randomBackgroundCheck->setChecked(ui.RandomSkin != 0);
    m_ui->randomDigitsCheck->setChecked(ui.RandomTime != 0);
    m_ui->backgroundCombo->setEnabled(!ui.RandomSkin);
    m_ui->digitsCombo->setEnabled(!ui.RandomTime);
    m_ui->opacitySlider->setValue(ui.Transparence);
    showOpacity(m_ui->opacitySlider->value());
    m_ui->preview->setClock(services.clock);
    previewFace();
    previewDigits();

    connect(m_ui->browseFolderButton, &QToolButton::clicked, this, &InterfacePage::browse);
    connect(m_ui->folderCombo, &QComboBox::editTextChanged, this, &SettingsPage::Changed);
    connect(m_ui->folderCombo, &QComboBox::activated, this,
            [this](int index) { takeFolder(m_ui->folderCombo->itemText(index)); });
    connect(m_ui->folderCombo->lineEdit(), &QLineEdit::editingFinished, this,
            [this] { takeFolder(m_ui->folderCombo->currentText()); });
    connect(m_ui->backgroundCombo, &QComboBox::currentIndexChanged, this, &InterfacePage::previewFace);
    connect(m_ui->digitsCombo, &QComboBox::currentIndexChanged, this, &InterfacePage::previewDigits);
    for (QComboBox *list : {m_ui->backgroundCombo, m_ui->digitsCombo})
        connect(list, &QComboBox::currentIndexChanged, this, &SettingsPage::Changed);
    connect(m_ui->randomBackgroundCheck, &QCheckBox::toggled, m_ui->backgroundCombo,
            [this](bool on) { m_ui->backgroundCombo->setEnabled(!on); });
    connect(m_ui->randomDigitsCheck, &QCheckBox::toggled, m_ui->digitsCombo,
            [this](bool on) { m_ui->digitsCombo->setEnabled(!on); });
    for (QCheckBox *box : {m_ui->randomBackgroundCheck, m_ui->randomDigitsCheck})
        connect(box, &QCheckBox::clicked, this, &SettingsPage::Changed);
    connect(m_ui->opacitySlider, &QSlider::valueChanged, this, [this](int value) {
        showOpacity(value);
        m_clock.SetOpacity(value);
        if (!m_ui->opacitySlider->isSliderDown())
            Q_EMIT Changed();
    });
    connect(m_ui->opacitySlider, &QSlider::sliderReleased, this, &SettingsPage::Changed);
}

InterfacePage::~InterfacePage() = default;

QString InterfacePage::ChooseFolder(QWidget *parent, const QString &start)
{
    return QFileDialog::getExistingDirectory(parent, tr("请选择文件路径:"), start, QFileDialog::ShowDirsOnly);
}

void InterfacePage::browse()
{
    const QString folder = m_chooseFolder(this, QDir::fromNativeSeparators(m_ui->folderCombo->currentText()));
    if (folder.isEmpty())
        return;
    const QString shown = QDir::toNativeSeparators(folder);
    if (m_ui->folderCombo->findText(shown) < 0)
        m_ui->folderCombo->addItem(shown);
    m_ui->folderCombo->setCurrentIndex(m_ui->folderCombo->findText(shown));
    takeFolder(shown);
}

void InterfacePage::takeFolder(const QString &text)
{
    const QString folder = QDir::fromNativeSeparators(text.trimmed());
    if (folder.isEmpty() || !QFileInfo(folder).isDir() || QDir(folder) == QDir(m_listedFolder))
        return;
    listFolder(folder);
    Q_EMIT Changed();
}

void InterfacePage::listFolder(const QString &folder)
{
    // The names chosen so far stay chosen when the new folder has them.
    const QString face = m_ui->backgroundCombo->currentText();
    const QString digits = m_ui->digitsCombo->currentText();
    const QSignalBlocker faceBlock(m_ui->backgroundCombo);
    const QSignalBlocker digitsBlock(m_ui->digitsCombo);
    m_ui->backgroundCombo->clear();
    m_ui->digitsCombo->clear();
    m_ui->backgroundCombo->addItem(BuiltInDialogBitmap);
    m_ui->digitsCombo->addItem(BuiltInNumberBitmap);
    // A bitmap that cannot be read ends the list there.
    for (const SkinFileItem &item : scanSkinFolder(folder).items)
        (item.kind == SkinKind::Dialog ? m_ui->backgroundCombo : m_ui->digitsCombo)->addItem(item.fileName);
    m_listedFolder = folder;
    selectByName(m_ui->backgroundCombo, face);
    selectByName(m_ui->digitsCombo, digits);
    previewFace();
    previewDigits();
}

void InterfacePage::selectByName(QComboBox *list, const QString &name)
{
    const int found = list->findText(name, Qt::MatchFixedString); // case ignored
    list->setCurrentIndex(found >= 0 ? found : 0);
}

QString InterfacePage::chosenPath(const QComboBox *list) const
{
    // The built-in bitmaps are named as the skin menus name them.
    if (list->currentIndex() <= 0) {
        const QString builtIn = list == m_ui->backgroundCombo ? BuiltInDialogBitmap : BuiltInNumberBitmap;
        return QDir(m_data.SkinDirectory()).filePath(builtIn);
    }
    return QDir(m_listedFolder).filePath(list->currentText());
}

void InterfacePage::showOpacity(int value)
{
    m_ui->opacityGroup->setTitle(OpacityTitle(value));
}

void InterfacePage::previewFace()
{
    m_ui->preview->setFace(LoadSkinBitmap(chosenPath(m_ui->backgroundCombo)));
}

void InterfacePage::previewDigits()
{
    m_ui->preview->setDigits(LoadSkinBitmap(chosenPath(m_ui->digitsCombo)));
}

void InterfacePage::Save()
{
    InterfaceSettings &ui = m_data.Settings.Interface;
    ui.BitmapFilePath = QDir::fromNativeSeparators(m_ui->folderCombo->currentText().trimmed());
    ui.RandomSkin = m_ui->randomBackgroundCheck->isChecked() ? 1 : 0;
    ui.RandomTime = m_ui->randomDigitsCheck->isChecked() ? 1 : 0;
    ui.Transparence = m_ui->opacitySlider->value();
    m_clock.SetOpacity(ui.Transparence);

    const QString face = chosenPath(m_ui->backgroundCombo);
    const QString digits = chosenPath(m_ui->digitsCombo);
    m_clock.UseSkins(face == m_appliedFace ? QString() : face, digits == m_appliedDigits ? QString() : digits);
    m_appliedFace = face;
    m_appliedDigits = digits;
}

void InterfacePage::Revert()
{
    m_clock.SetOpacity(m_data.Settings.Interface.Transparence);
}
