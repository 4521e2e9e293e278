#pragma once
// Works the modal windows that a module opens, as an operator would, knowing
// only what is on the screen: each new dialog gets the next step; a message
// box is read and closed. Steps find buttons by their text.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
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

    ModalRobot& Then(Step step) {
        m_steps.push_back(std::move(step));
        return *this;
    }

    std::vector<std::string> titles;        // of the dialogs worked, in order
    std::vector<std::string> messageBoxes;  // texts of the message boxes closed
    bool Finished() const { return m_steps.empty(); }

    // The push buttons of a dialog with this text, top to bottom.
    static std::vector<QPushButton*> Buttons(QWidget& dialog, const QString& text) {
        std::vector<QPushButton*> found;
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            if (button->text() == text) found.push_back(button);
        }
        std::sort(found.begin(), found.end(), [](QPushButton* a, QPushButton* b) {
            return a->geometry().y() < b->geometry().y();
        });
        return found;
    }

    static void Click(QWidget& dialog, const QString& text, size_t index = 0) {
        auto buttons = Buttons(dialog, text);
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
    void Poll() {
        QWidget* window = QApplication::activeModalWidget();
        if (!window || window->property("robotSeen").toBool()) return;
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
        Step step = std::move(m_steps.front());
        m_steps.pop_front();
        step(*window);
    }

    QTimer m_timer;
    std::deque<Step> m_steps;
};
