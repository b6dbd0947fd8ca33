// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QtGlobal>

// Sets (or, with no value, unsets) an environment variable for one scope
// and puts back what was there before.
class ScopedEnv
{
public:
    explicit ScopedEnv(const char *name)
        : m_name(name)
        , m_had(qEnvironmentVariableIsSet(name))
        , m_old(qgetenv(name))
    {
        qunsetenv(name);
    }
    ScopedEnv(const char *name, const QByteArray &value)
        : ScopedEnv(name)
    {
        qputenv(name, value);
    }
    ScopedEnv(const ScopedEnv &) = delete;
    ScopedEnv &operator=(const ScopedEnv &) = delete;
    ~ScopedEnv()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char *m_name;
    bool m_had;
    QByteArray m_old;
};
