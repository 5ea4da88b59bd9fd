#include "CError.h"

#include "FError.h"

CError::CError(QString supportAddress, Shell &shell)
    : m_supportAddress(std::move(supportAddress))
    , m_shell(shell)
{
}

void CError::Alert(const QString &sDescription)
{
    auto *window = new FError(m_supportAddress, m_shell); // deletes itself on close
    window->Initialize(sDescription);
    window->show();
}
