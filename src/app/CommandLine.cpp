// SPDX-License-Identifier: MIT
#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <cstdio>

namespace {

// Options QGuiApplication and QApplication take from the command line
// themselves, with one or two dashes.
const QStringList QtOptionsWithValue {
    QStringLiteral("platform"),        QStringLiteral("platformpluginpath"),
    QStringLiteral("platformtheme"),   QStringLiteral("plugin"),
    QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowicon"),
    QStringLiteral("qwindowtitle"),    QStringLiteral("session"),
    QStringLiteral("display"),         QStringLiteral("geometry"),
    QStringLiteral("style"),           QStringLiteral("stylesheet"),
    QStringLiteral("qmljsdebugger"),   QStringLiteral("name"),
    QStringLiteral("title"),           QStringLiteral("visual"),
};
const QStringList QtFlags {QStringLiteral("reverse"), QStringLiteral("widgetcount"), QStringLiteral("nograb"),
                           QStringLiteral("dograb"), QStringLiteral("sync")};

QString qtOptionName(const QString &argument)
{
    if (!argument.startsWith(QLatin1Char('-')))
        return {};
    QString name = argument.mid(argument.startsWith(QStringLiteral("--")) ? 2 : 1);
    return name.section(QLatin1Char('='), 0, 0);
}

// The arguments without the options Qt handles.
QStringList withoutQtOptions(const QStringList &arguments)
{
    QStringList ours;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString name = qtOptionName(arguments[i]);
        if (i > 0 && QtFlags.contains(name))
            continue;
        if (i > 0 && QtOptionsWithValue.contains(name)) {
            if (!arguments[i].contains(QLatin1Char('=')))
                ++i; // its value
            continue;
        }
        ours.append(arguments[i]);
    }
    return ours;
}

void print(FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace

CommandLine CommandLine::Parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Tockly: 桌面闹钟与个人提醒。"));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("显示此帮助并退出。"));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("显示版本并退出。"));
    const QCommandLineOption home(QStringLiteral("home"),
                                  QStringLiteral("数据文件(alarms.lst, CONFIG.INI)所在的文件夹。"),
                                  QStringLiteral("DIR"));
    const QCommandLineOption add(QStringLiteral("add"),
                                 QStringLiteral("让正在运行的闹钟添加一个一次性提醒，需要时先启动闹钟："
                                                "clock --add \"2026-12-24 18:00\" \"订餐厅\" [\"提醒内容\"]。"
                                                "成功时输出新提醒的标识。"));
    const QCommandLineOption list(QStringLiteral("list"),
                                  QStringLiteral("列出正在运行的闹钟即将提醒的任务（标识、描述和时间）。"));
    const QCommandLineOption quit(QStringLiteral("quit"), QStringLiteral("让正在运行的闹钟保存数据后退出。"));
    parser.addOptions({help, version, home, add, list, quit});
    parser.addPositionalArgument(QStringLiteral("WHEN"),
                                 QStringLiteral("--add 的参数：时间（年-月-日 时:分）、描述和可选的提醒内容。"),
                                 QStringLiteral("[WHEN DESCRIPTION [MESSAGE]]"));

    CommandLine result;
    const QStringList positional = parser.parse(withoutQtOptions(arguments)) ? parser.positionalArguments()
                                                                              : QStringList();
    const int verbs = int(parser.isSet(add)) + int(parser.isSet(list)) + int(parser.isSet(quit));
    if (!parser.errorText().isEmpty()) {
        result.m_action = Mistake;
        result.m_error = parser.errorText();
    } else if (parser.isSet(help)) {
        result.m_action = ShowHelp;
    } else if (parser.isSet(version)) {
        result.m_action = ShowVersion;
    } else if (verbs > 1) {
        result.m_action = Mistake;
        result.m_error = QStringLiteral("--add、--list 和 --quit 一次只能用一个。");
    } else if (parser.isSet(add)) {
        if (positional.size() < 2 || positional.size() > 3) {
            result.m_action = Mistake;
            result.m_error = QStringLiteral("--add 需要时间和描述，还可以加上提醒内容，例如："
                                            "--add \"2026-12-24 18:00\" \"订餐厅\"");
        } else {
            result.m_action = AddReminder;
            result.m_when = positional[0];
            result.m_description = positional[1];
            result.m_message = positional.value(2);
        }
    } else if (!positional.isEmpty()) {
        result.m_action = Mistake;
        result.m_error = QStringLiteral("未知的参数: %1").arg(positional.constFirst());
    } else if (parser.isSet(list)) {
        result.m_action = ListUpcoming;
    } else if (parser.isSet(quit)) {
        result.m_action = QuitRunning;
    }
    // Qt names the program through the application object, which does not
    // exist yet.
    const QString program = arguments.isEmpty() ? QStringLiteral("clock") : arguments.constFirst();
    result.m_help = parser.helpText().replace(QStringLiteral("<executable_name>"), program);
    return result;
}

int CommandLine::Answer() const
{
    switch (m_action) {
    case ShowHelp:
        print(stdout, m_help);
        return 0;
    case ShowVersion:
        print(stdout, QStringLiteral("Tockly " TOCKLY_VERSION "\n"));
        return 0;
    case Mistake:
        print(stderr, m_error + QStringLiteral("\n\n") + m_help);
        return 2;
    case Run:
    case AddReminder:
    case ListUpcoming:
    case QuitRunning:
        break;
    }
    return 0;
}
