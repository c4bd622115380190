// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The test's side of the AT-SPI client: commands out, JSON answers in.
#include "AtspiClient.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

#include <algorithm>

using namespace std::chrono_literals;

namespace {

Element elementOf(const QJsonObject& o)
{
    Element e;
    for (const QJsonValue& index : o.value("path").toArray())
        e.path.push_back(index.toInt());
    e.role = o.value("role").toString();
    e.name = o.value("name").toString();
    e.description = o.value("description").toString();
    e.showing = o.value("showing").toBool();
    e.focused = o.value("focused").toBool();
    if (o.contains("x"))
        e.extents
            = QRect(o.value("x").toInt(), o.value("y").toInt(), o.value("width").toInt(), o.value("height").toInt());
    for (const QJsonValue& action : o.value("actions").toArray())
        e.actions.append(action.toString());
    if (o.value("value").isDouble())
        e.value = o.value("value").toDouble();
    return e;
}

} // namespace

bool Element::contains(const Element& other) const
{
    return other.path.size() > path.size() && std::equal(path.begin(), path.end(), other.path.begin());
}

AtspiClient::AtspiClient(qint64 pid)
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(
        QStringLiteral(TINTARIUM_SYSTEM_PYTHON), { QStringLiteral(TINTARIUM_ATSPI_CLIENT), QString::number(pid) });
    if (!m_process.waitForStarted(10000))
        m_error = QStringLiteral("the AT-SPI client did not start");
}

AtspiClient::~AtspiClient()
{
    // End of its input ends the client; it is ended by its id otherwise.
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

std::optional<QByteArray> AtspiClient::ask(const QByteArray& command)
{
    if (m_process.state() != QProcess::Running) {
        m_error = QStringLiteral("the AT-SPI client is not running");
        return std::nullopt;
    }
    m_process.write(command + '\n');
    m_process.waitForBytesWritten(5000);
    // A whole tree is read in well under a second; a bus that does not
    // answer makes pyatspi give up after its own timeout.
    const auto deadline = std::chrono::steady_clock::now() + 60s;
    while (!m_process.canReadLine()) {
        if (m_process.state() != QProcess::Running || std::chrono::steady_clock::now() > deadline) {
            m_error = QStringLiteral("no answer to ") + QString::fromUtf8(command);
            return std::nullopt;
        }
        m_process.waitForReadyRead(1000);
    }
    const QByteArray line = m_process.readLine();
    const QJsonDocument answer = QJsonDocument::fromJson(line);
    if (answer.isObject() && answer.object().contains("error")) {
        m_error = answer.object().value("error").toString();
        return std::nullopt;
    }
    return line;
}

std::vector<Element> AtspiClient::tree()
{
    std::vector<Element> elements;
    if (const auto line = ask("tree"))
        for (const QJsonValue& entry : QJsonDocument::fromJson(*line).array())
            elements.push_back(elementOf(entry.toObject()));
    return elements;
}

std::optional<Element> AtspiClient::focused()
{
    const auto line = ask("focused");
    if (!line)
        return std::nullopt;
    const QJsonDocument answer = QJsonDocument::fromJson(*line);
    if (!answer.isObject())
        return std::nullopt;
    return elementOf(answer.object());
}

bool AtspiClient::act(const QString& name, const QString& action)
{
    const auto line = ask("do " + name.toUtf8() + '|' + action.toUtf8());
    return line && line->trimmed() == "true";
}

std::vector<Announcement> AtspiClient::announcements()
{
    std::vector<Announcement> heard;
    if (const auto line = ask("events"))
        for (const QJsonValue& entry : QJsonDocument::fromJson(*line).array()) {
            const QJsonObject o = entry.toObject();
            heard.push_back({ o.value("type").toString(), o.value("role").toString(), o.value("name").toString() });
        }
    return heard;
}

bool AtspiClient::waitForProgram(std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (!tree().empty())
            return true;
        QThread::msleep(100);
    }
    return false;
}
