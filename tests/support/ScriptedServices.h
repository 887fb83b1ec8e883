#pragma once

#include "platform/ClipboardService.h"
#include "platform/DialogService.h"
#include "platform/FileLauncher.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

// Dialogs whose answers a test lays down beforehand; every question and message is recorded.
// A question without a laid-down answer is answered with Cancel.
class TScriptedDialogs final : public TDialogService {
public:
    std::deque<std::optional<QString>> InputAnswers;
    std::deque<bool> ConfirmAnswers;
    std::deque<std::optional<QString>> FileAnswers;
    std::deque<std::optional<TFileDialogAnswer>> TypedFileAnswers;
    std::deque<std::optional<TPictureChoice>> PictureAnswers;
    std::deque<std::optional<std::vector<TColorStop>>> StopsAnswers;
    // The hues the phase dialog is turned to before its answer, all of them in each dialog.
    std::vector<int> PhaseTries;
    std::function<void()> WhilePhaseOpen; // runs after the tries, before the answer
    std::deque<std::optional<int>> PhaseAnswers;

    QStringList Inputs;   // "caption|prompt|initial"
    QStringList Confirms; // "caption|text"
    QStringList Messages; // "caption|text"
    QList<TFileDialogRequest> FileRequests;
    QList<TPictureChoice> PictureQuestions;        // the choice each picture dialog started from
    QList<std::vector<TColorStop>> StopsQuestions; // the stops each editor started from
    QList<int> PhaseQuestions;                     // the hue each phase dialog started from

    std::optional<QString> InputQuery(QWidget*, const QString& caption, const QString& prompt,
                                      const QString& initial) override {
        Inputs << caption + QLatin1Char('|') + prompt + QLatin1Char('|') + initial;
        return Take(InputAnswers, std::optional<QString>());
    }
    bool ConfirmOkCancel(QWidget*, const QString& caption, const QString& text) override {
        Confirms << caption + QLatin1Char('|') + text;
        return Take(ConfirmAnswers, false);
    }
    bool ConfirmYesNo(QWidget*, const QString& caption, const QString& text) override {
        Confirms << caption + QLatin1Char('|') + text;
        return Take(ConfirmAnswers, false);
    }
    void ShowMessage(QWidget*, const QString& caption, const QString& text, TMessageKind) override {
        Messages << caption + QLatin1Char('|') + text;
    }
    std::optional<QString> SaveFileName(QWidget*, const TFileDialogRequest& request) override {
        FileRequests << request;
        return Take(FileAnswers, std::optional<QString>());
    }
    std::optional<QString> OpenFileName(QWidget*, const TFileDialogRequest& request) override {
        FileRequests << request;
        return Take(FileAnswers, std::optional<QString>());
    }

    std::optional<TFileDialogAnswer> SaveFileOfType(QWidget*, const TFileDialogRequest& request) override {
        FileRequests << request;
        return Take(TypedFileAnswers, std::optional<TFileDialogAnswer>());
    }
    std::optional<TPictureChoice> PictureChoice(QWidget*, const TPictureChoice& initial) override {
        PictureQuestions << initial;
        return Take(PictureAnswers, std::optional<TPictureChoice>());
    }
    std::optional<std::vector<TColorStop>> EditStops(QWidget*, const std::vector<TColorStop>& stops,
                                                     TColorDialogService&) override {
        StopsQuestions << stops;
        return Take(StopsAnswers, std::optional<std::vector<TColorStop>>());
    }
    std::optional<int> ChoosePhase(QWidget*, int degrees, const std::function<void(int)>& follow) override {
        PhaseQuestions << degrees;
        for (const int tried : PhaseTries) {
            follow(tried);
        }
        if (WhilePhaseOpen) {
            WhilePhaseOpen();
        }
        return Take(PhaseAnswers, std::optional<int>());
    }

private:
    // The next scripted answer, or `fallback` when the script has run out. The answer is moved
    // into `fallback` rather than into a new local: GCC 12 warns (wrongly) that a local optional
    // QString may be used uninitialized at -O2 and above.
    template <typename T> static T Take(std::deque<T>& answers, T fallback) {
        if (!answers.empty()) {
            fallback = std::move(answers.front());
            answers.pop_front();
        }
        return fallback;
    }
};

// Remembers the last copy: its plain text and, when it came in two formats, its HTML.
class TFakeClipboard final : public TClipboardService {
public:
    QString Content = QStringLiteral("(untouched)");
    std::optional<QString> Html;
    int Writes = 0;
    void SetText(const QString& text) override {
        Content = text;
        Html.reset();
        ++Writes;
    }
    void SetTextAndHtml(const QString& text, const QString& html) override {
        Content = text;
        Html = html;
        ++Writes;
    }
    QString Text() const override { return Content; }
    QString HtmlContent() const override { return Html.value_or(QString()); }
};

// Records what would have been opened.
class TRecordingLauncher final : public TFileLauncher {
public:
    struct TCall {
        QString Verb, FileName, Parameters, Folder;
        int ShowMode = 0;
    };
    QList<TCall> Launches;
    QStringList HelpTopics;
    bool HelpAvailable = true;
    std::int64_t LaunchResult = 4242; // 0: no application could open the file

    std::int64_t Launch(const QString& verb, const QString& fileName, const QString& parameters,
                        const QString& folder, int showMode) override {
        Launches << TCall{verb, fileName, parameters, folder, showMode};
        return LaunchResult;
    }
    bool ShowHelpTopic(const QString& topic) override {
        HelpTopics << topic;
        return HelpAvailable;
    }
};
