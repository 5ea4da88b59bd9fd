#pragma once

#include <QDialog>

#include <memory>

class HelpLinks;

namespace Ui {
class FAbout;
}

// The About box: title, version, a link to the Talvex web site, and the system-information tool.
class FAbout : public QDialog
{
    Q_OBJECT

public:
    FAbout(const HelpLinks &links, QWidget *parent = nullptr);
    ~FAbout() override;

private:
    void load();

    std::unique_ptr<Ui::FAbout> ui;
    const HelpLinks &m_links;
};
