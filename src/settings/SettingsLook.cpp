// SPDX-License-Identifier: MIT
#include "settings/SettingsLook.h"

#include <QComboBox>
#include <QCoreApplication>

using namespace Qt::StringLiterals;

namespace SettingsLook {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("SettingsDialog", text);
}

} // namespace

Page General()
{
    return {u":/settings/page-general.svg"_s, tr("全局设置"), QColor(0x5C, 0x7C, 0xFA)};
}

Page Speak()
{
    return {u":/settings/page-speech.svg"_s, tr("语音报时"), QColor(0xFA, 0xB0, 0x05)};
}

Page Sync()
{
    return {u":/settings/page-timesync.svg"_s, tr("时间同步"), QColor(0x40, 0xC0, 0x57)};
}

Page Interface()
{
    return {u":/settings/page-interface.svg"_s, tr("用户界面"), QColor(0xE6, 0x49, 0x80)};
}

int ChosenIndex(const QComboBox *list, int kept)
{
    const int index = list->currentIndex();
    return index >= 0 ? index : kept;
}

} // namespace SettingsLook
