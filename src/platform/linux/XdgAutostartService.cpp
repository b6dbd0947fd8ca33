// SPDX-License-Identifier: MIT
#include "platform/linux/XdgAutostartService.h"

#include "model/AtomicFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringList>

namespace {

const QString EntryGroup = QStringLiteral("Desktop Entry");

// String values escape a few characters with a backslash ("\s", "\n",
// "\t", "\r", "\\"). Unknown escapes are kept as they stand.
QString unescapeValue(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar ch = value.at(i);
        if (ch != QLatin1Char('\\') || i + 1 == value.size()) {
            out += ch;
            continue;
        }
        const QChar next = value.at(++i);
        switch (next.unicode()) {
        case 's':
            out += QLatin1Char(' ');
            break;
        case 'n':
            out += QLatin1Char('\n');
            break;
        case 't':
            out += QLatin1Char('\t');
            break;
        case 'r':
            out += QLatin1Char('\r');
            break;
        case '\\':
            out += QLatin1Char('\\');
            break;
        default:
            out += ch;
            out += next;
            break;
        }
    }
    return out;
}

QString escapeValue(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (const QChar ch : value) {
        switch (ch.unicode()) {
        case '\\':
            out += QStringLiteral("\\\\");
            break;
        case '\n':
            out += QStringLiteral("\\n");
            break;
        case '\t':
            out += QStringLiteral("\\t");
            break;
        case '\r':
            out += QStringLiteral("\\r");
            break;
        default:
            out += ch;
            break;
        }
    }
    return out;
}

// One Exec argument in double quotes, the four characters that keep a
// meaning inside them escaped, and "%" doubled so it is no field code.
// (The value escaping above applies on top, doubling the backslashes.)
QString quoteExecArgument(const QString &argument)
{
    QString out = QStringLiteral("\"");
    for (const QChar ch : argument) {
        if (ch == QLatin1Char('"') || ch == QLatin1Char('`') || ch == QLatin1Char('$') || ch == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        out += ch;
        if (ch == QLatin1Char('%'))
            out += QLatin1Char('%');
    }
    out += QLatin1Char('"');
    return out;
}

// The arguments of an unescaped Exec value. Lenient where entries written
// by hand or by other tools stray from the rules: a backslash outside
// quotes also escapes the next character, as in a shell.
QStringList splitExec(const QString &exec)
{
    QStringList arguments;
    QString current;
    bool inQuotes = false;
    bool inArgument = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar ch = exec.at(i);
        if (ch == QLatin1Char('\\') && i + 1 < exec.size()) {
            current += exec.at(++i);
            inArgument = true;
        } else if (ch == QLatin1Char('"')) {
            inQuotes = !inQuotes;
            inArgument = true;
        } else if (!inQuotes && (ch == QLatin1Char(' ') || ch == QLatin1Char('\t') || ch == QLatin1Char('\n'))) {
            if (inArgument)
                arguments.append(current);
            current.clear();
            inArgument = false;
        } else {
            current += ch;
            inArgument = true;
        }
    }
    if (inArgument)
        arguments.append(current);
    for (QString &argument : arguments)
        argument.replace(QStringLiteral("%%"), QStringLiteral("%"));
    return arguments;
}

// The keys of the [Desktop Entry] group; the first of duplicate keys wins.
QHash<QString, QString> readEntry(const QString &path)
{
    QHash<QString, QString> values;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return values;
    bool inGroup = false;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            inGroup = line.mid(1, line.size() - 2) == EntryGroup;
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!inGroup || equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed();
        if (!values.contains(key))
            values.insert(key, line.mid(equals + 1).trimmed());
    }
    return values;
}

bool isTrue(const QString &value)
{
    return value.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0;
}

// The data folder an Exec line gives with --home DIR or --home=DIR; empty
// when it gives none.
QString homeOf(const QStringList &exec)
{
    const QString option = QStringLiteral("--home");
    for (qsizetype i = 1; i < exec.size(); ++i) {
        QString home;
        if (exec[i] == option && i + 1 < exec.size())
            home = exec[i + 1];
        else if (exec[i].startsWith(option + QLatin1Char('=')))
            home = exec[i].mid(option.size() + 1);
        else
            continue;
        return home.isEmpty() ? home : QDir::cleanPath(QDir(home).absolutePath());
    }
    return {};
}

bool isFalse(const QString &value)
{
    return value.compare(QStringLiteral("false"), Qt::CaseInsensitive) == 0;
}

} // namespace

XdgAutostartService::XdgAutostartService(const QString &programPath, const QString &home, const QString &icon)
    : m_programPath(programPath.isEmpty() ? QCoreApplication::applicationFilePath() : programPath)
    , m_home(home.isEmpty() ? QString() : QDir::cleanPath(QDir(home).absolutePath()))
    , m_icon(icon)
{ }

QString XdgAutostartService::EntryPath()
{
    // A relative XDG_CONFIG_HOME is invalid and must be ignored.
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.isEmpty() || !QDir::isAbsolutePath(configHome))
        configHome = QDir::homePath() + QStringLiteral("/.config");
    return configHome + QStringLiteral("/autostart/tockly.desktop");
}

bool XdgAutostartService::IsEnabled() const
{
    const QHash<QString, QString> entry = readEntry(EntryPath());
    if (entry.isEmpty())
        return false;
    if (isTrue(entry.value(QStringLiteral("Hidden"))))
        return false;
    if (isFalse(entry.value(QStringLiteral("X-GNOME-Autostart-enabled"))))
        return false;
    const QStringList exec = splitExec(unescapeValue(entry.value(QStringLiteral("Exec"))));
    return !exec.isEmpty() && exec.constFirst() == m_programPath && homeOf(exec) == m_home;
}

bool XdgAutostartService::SetEnabled(bool enabled)
{
    const QString path = EntryPath();
    if (!enabled)
        return !QFile::exists(path) || QFile::remove(path);

    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QString exec = quoteExecArgument(m_programPath);
    if (!m_home.isEmpty())
        exec += QStringLiteral(" --home ") + quoteExecArgument(m_home);
    const QString entry = QStringLiteral("[") + EntryGroup + QStringLiteral("]\n") +
        QStringLiteral("Type=Application\n") + QStringLiteral("Name=Tockly\n") + QStringLiteral("Exec=") +
        escapeValue(exec) + QLatin1Char('\n') + QStringLiteral("Icon=") + escapeValue(m_icon) + QLatin1Char('\n') +
        QStringLiteral("Terminal=false\n") + QStringLiteral("X-GNOME-Autostart-enabled=true\n");
    return WriteFileAtomically(path, entry.toUtf8()).ok;
}
