#pragma once

#include <QString>

// Modal message and question boxes with their exact texts. The window implements it
// with QMessageBox; tests record the texts and answer the questions.
class UserPrompt {
public:
    enum class Answer { Ok, Cancel, Yes, No };
    enum class Icon { Information, Warning, Error, Question };

    virtual ~UserPrompt() = default;
    // A plain message box with an OK button.
    virtual void showMessage(const QString &text, Icon icon = Icon::Information) = 0;
    // A question with OK and Cancel.
    virtual Answer askOkCancel(const QString &text, Icon icon = Icon::Warning) = 0;
};

// Records every message; answers questions with a preset answer.
class RecordingUserPrompt : public UserPrompt {
public:
    void showMessage(const QString &text, Icon) override { messages.append(text); }
    Answer askOkCancel(const QString &text, Icon) override
    {
        questions.append(text);
        return answer;
    }
    QStringList messages;
    QStringList questions;
    Answer answer = Answer::Ok;
};
