// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// What assistive technology reads of the running game, through the AT-SPI
// client tests/e2e/atspi_client.py: pyatspi, the library Orca is built on,
// run by Debian's /usr/bin/python3 in a process of its own, which answers one
// JSON line per command. The test needs a session bus with the accessibility
// bus on it (tests/support/with-atspi.sh). Every wait is bounded.
#pragma once

#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>

#include <chrono>
#include <optional>
#include <vector>

// One element as AT-SPI gives it.
struct Element {
    std::vector<int> path; // child indexes from the program's top
    QString role;
    QString name;
    QString description;
    bool showing = false;
    bool focused = false;
    QRect extents; // on the screen
    QStringList actions;
    std::optional<double> value;

    // Whether `other` lies inside this element's subtree.
    bool contains(const Element& other) const;
};

// One announcement: its AT-SPI kind ("focus:", "object:property-change:
// accessible-value", ...) and the role and name of its element.
struct Announcement {
    QString type;
    QString role;
    QString name;
};

class AtspiClient {
public:
    // Starts the client for the program with process id `pid`.
    explicit AtspiClient(qint64 pid);
    ~AtspiClient();

    // Every element of the program, depth first; empty when it could not be
    // read (see error()).
    std::vector<Element> tree();
    // The deepest showing element in the focused state.
    std::optional<Element> focused();
    // Does the named action on the showing element of that name.
    bool act(const QString& name, const QString& action);
    // The announcements heard since the last call.
    std::vector<Announcement> announcements();
    // Polls tree() until the program is on the accessibility bus.
    bool waitForProgram(std::chrono::milliseconds timeout);

    QString error() const { return m_error; }

private:
    std::optional<QByteArray> ask(const QByteArray& command);

    QProcess m_process;
    QString m_error;
};
