#pragma once

#include <QDialog>

#include <memory>

class QPushButton;

namespace Ui {
class FUpdateVersion;
}

// The update offer: the server's message, "Update Now" or "Update Later".
class FUpdateVersion : public QDialog
{
    Q_OBJECT

public:
    explicit FUpdateVersion(QWidget *parent = nullptr);
    ~FUpdateVersion() override;

    void Initialize(const QString &sCaption, const QString &sMessage);

    // True once "Update Now" was pressed; readable after the window has closed.
    bool IsUpdate() const { return m_bIsUpdate; }

    // Public for the main window's tests, which press it directly.
    QPushButton *cmdUpdate = nullptr;

private:
    std::unique_ptr<Ui::FUpdateVersion> ui;
    bool m_bIsUpdate = false;
};
