#pragma once

#include <QString>

// A failure handed back to the caller as a value, as the start-status object reports them: a
// number and a description that names where it happened.
class RaisedError
{
public:
    // The first number free for the program's own errors (0x80040000).
    static constexpr long kUserError = -2147221504L;

    RaisedError(long number, QString description)
        : m_number(number), m_description(std::move(description))
    {
    }

    // A trapped error passed on: kUserError, described as source, number and description.
    static RaisedError wrap(const QString &source, const RaisedError &inner)
    {
        return RaisedError(kUserError, source + QLatin1Char(' ') + QString::number(inner.m_number)
                                           + QLatin1Char(' ') + inner.m_description);
    }

    long number() const { return m_number; }
    QString description() const { return m_description; }

    bool operator==(const RaisedError &) const = default;

private:
    long m_number;
    QString m_description;
};
