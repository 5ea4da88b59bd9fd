#pragma once

#include <QString>

#include <exception>

// A failure raised to the caller, as the start-status object reports them: a number and a
// description that names where it happened.
class RaisedError : public std::exception
{
public:
    // The first number free for the program's own errors (0x80040000).
    static constexpr long kUserError = -2147221504L;

    RaisedError(long number, QString description)
        : m_number(number), m_description(std::move(description))
    {
    }

    // A trapped error passed on: kUserError, described as source, number and description.
    static RaisedError wrap(const QString &source, long innerNumber, const QString &innerDescription)
    {
        return RaisedError(kUserError, source + QLatin1Char(' ') + QString::number(innerNumber)
                                           + QLatin1Char(' ') + innerDescription);
    }
    static RaisedError wrap(const QString &source, const RaisedError &inner)
    {
        return wrap(source, inner.number(), inner.description());
    }

    long number() const { return m_number; }
    QString description() const { return m_description; }
    const char *what() const noexcept override { return "RaisedError"; }

private:
    long m_number;
    QString m_description;
};
