#pragma once

#include "EditCommands.h"
#include "FakeBrowserPane.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

// A stand-in main window: both panes, an address box and a button side by side, with the
// "current tab" set directly, so a test can put the focus anywhere whatever tab is current.
struct EditHarness
{
    EditHarness()
    {
        auto *layout = new QVBoxLayout(&window);
        auto *row = new QHBoxLayout;
        address = new QComboBox(&window);
        address->setEditable(true);
        button = new QPushButton(QStringLiteral("Go"), &window);
        row->addWidget(address, 1);
        row->addWidget(button);
        layout->addLayout(row);
        auto *panes = new QHBoxLayout;
        talvex = new FakeBrowserPane(&window);
        talvex->kind = PaneKind::Talvex;
        auction = new FakeBrowserPane(&window);
        panes->addWidget(talvex);
        panes->addWidget(auction);
        layout->addLayout(panes, 1);
        window.resize(800, 500);
        commands = new EditCommands(&window, [this] { return tabIndex; }, talvex, auction, &window);
    }

    bool showActive()
    {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }

    QWidget window;
    QComboBox *address = nullptr;
    QPushButton *button = nullptr;
    FakeBrowserPane *talvex = nullptr;
    FakeBrowserPane *auction = nullptr;
    EditCommands *commands = nullptr;
    int tabIndex = 0;
};
