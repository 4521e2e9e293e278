#pragma once
// Works the modal windows that a module opens, as an operator would, knowing
// only what is on the screen: each new dialog gets the next step; a message
// box is read and closed. Steps find buttons by their text. Each step runs
// from its dialog's own event loop, so a window that it opens (another dialog,
// a message box) is seen and worked too; a window left open for a minute fails
// the test and is closed, so that a test fails rather than hangs. A step that
// never ran, or a message box, fails the test at the end.

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <deque>
#include <functional>
#include <string>
#include <vector>

class ModalRobot {
public:
    using Step = std::function<void(QWidget& dialog)>;

    ModalRobot() {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
        m_timer.start(5);
    }
    ~ModalRobot() {
        EXPECT_TRUE(m_steps.empty()) << m_steps.size() << " step(s) never ran";
        EXPECT_TRUE(messageBoxes.empty()) << "a message box said: " << messageBoxes.front();
    }
    ModalRobot(const ModalRobot&) = delete;
    ModalRobot& operator=(const ModalRobot&) = delete;

    ModalRobot& Then(Step step) {
        m_steps.push_back(std::move(step));
        return *this;
    }

    std::vector<std::string> titles;        // of the dialogs worked, in order
    std::vector<std::string> messageBoxes;  // texts of the message boxes closed

    // Clicks the push button with this text, the index-th from the top.
    static void Click(QWidget& dialog, const QString& text, size_t index = 0) {
        std::vector<QPushButton*> buttons;
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            if (button->text() == text) buttons.push_back(button);
        }
        std::sort(buttons.begin(), buttons.end(), [](QPushButton* a, QPushButton* b) {
            return a->geometry().y() < b->geometry().y();
        });
        ASSERT_LT(index, buttons.size()) << text.toStdString();
        buttons[index]->click();
    }

    static std::vector<std::string> Labels(QWidget& dialog) {
        std::vector<std::string> texts;
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            if (!label->text().isEmpty()) texts.push_back(label->text().toStdString());
        }
        return texts;
    }

private:
    static constexpr qint64 kPatienceMs = 60000;

    void Poll() {
        QWidget* window = QApplication::activeModalWidget();
        if (window != m_active) {
            m_active = window;
            m_activeSince.start();
        }
        if (!window) return;
        if (window->property("robotSeen").toBool()) {
            if (m_activeSince.elapsed() > kPatienceMs) {
                ADD_FAILURE() << "\"" << window->windowTitle().toStdString()
                              << "\" was still open after a minute; closed";
                m_activeSince.start();
                window->close();
            }
            return;
        }
        window->setProperty("robotSeen", true);
        if (auto* box = qobject_cast<QMessageBox*>(window)) {
            messageBoxes.push_back(box->text().toStdString());
            box->accept();
            return;
        }
        titles.push_back(window->windowTitle().toStdString());
        if (m_steps.empty()) {
            ADD_FAILURE() << "unexpected dialog " << titles.back();
            window->close();
            return;
        }
        // Not from this timer's call: while it runs the timer cannot fire, and a
        // window the step opened would wait for an answer that never comes.
        QTimer::singleShot(0, window,
                           [window, step = std::move(m_steps.front())] { step(*window); });
        m_steps.pop_front();
    }

    QTimer m_timer;
    std::deque<Step> m_steps;
    QPointer<QWidget> m_active;
    QElapsedTimer m_activeSince;
};
