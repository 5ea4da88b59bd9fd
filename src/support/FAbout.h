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

    // The product logo, drawn rather than shipped so it scales with the screen.
    static QPixmap logo(int size);

private:
    void load();

    std::unique_ptr<Ui::FAbout> ui;
    const HelpLinks &m_links;
};
