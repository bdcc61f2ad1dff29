#pragma once

#include <QList>
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
    // The same with technical lines the user may unfold ("Λεπτομέρειες").
    virtual void showDetailedMessage(const QString &text, const QString &details, Icon icon = Icon::Information)
    {
        Q_UNUSED(details);
        showMessage(text, icon);
    }
    // A question with OK and Cancel.
    virtual Answer askOkCancel(const QString &text, Icon icon = Icon::Warning) = 0;
    // A question with Yes and No. A prompt that cannot ask says No, which never
    // destroys anything.
    virtual Answer askYesNo(const QString &, Icon = Icon::Question) { return Answer::No; }
    // A question with Yes, No and Cancel. A prompt that cannot ask cancels.
    virtual Answer askYesNoCancel(const QString &, Icon = Icon::Question) { return Answer::Cancel; }
};

// Records every message; answers questions with the queued answers first, then with
// the preset answer.
class RecordingUserPrompt : public UserPrompt {
public:
    void showMessage(const QString &text, Icon) override { messages.append(text); }
    void showDetailedMessage(const QString &text, const QString &details, Icon) override
    {
        messages.append(text);
        this->details.append(details);
    }
    Answer askOkCancel(const QString &text, Icon) override { return ask(text); }
    Answer askYesNo(const QString &text, Icon) override { return ask(text); }
    Answer askYesNoCancel(const QString &text, Icon) override { return ask(text); }
    QStringList messages;
    QStringList details;  // of the detailed messages, in their order
    QStringList questions;
    QList<Answer> answers;
    Answer answer = Answer::Ok;

private:
    Answer ask(const QString &text)
    {
        questions.append(text);
        return answers.isEmpty() ? answer : answers.takeFirst();
    }
};
