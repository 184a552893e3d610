#include "copy-command/window/WindowedCopy.h"

#include "platform/copy-ui/ProgressController.h"
#include "platform/copy-ui/SummaryWindow.h"
#include "platform/copy-ui/UiThreadQuestions.h"

#include <QApplication>
#include <QDialog>
#include <QMetaObject>
#include <exception>

namespace copycmd {

WindowedCopy::WindowedCopy(std::vector<std::string> sources, std::string destination,
                           std::function<std::unique_ptr<shell::CopyQuestions>()> questions, QObject* parent)
    : QObject(parent), m_sources(std::move(sources)), m_destination(std::move(destination)),
      m_makeQuestions(std::move(questions))
{
}

WindowedCopy::~WindowedCopy()
{
    if (m_worker.joinable()) {
        kill();
        m_worker.join();
    }
}

void WindowedCopy::start()
{
    if (m_engine)
        return; // one request, once
    m_answerer = m_makeQuestions();
    m_progress = std::make_unique<shell::WindowedProgress>(m_cancel);
    m_questions = std::make_unique<shell::UiThreadQuestions>(*m_answerer, this, m_progress.get());
    m_engine = std::make_unique<shell::CopyEngine>(m_fs, *m_questions, *m_progress, m_cancel);
    m_worker = std::thread([this] {
        try {
            m_outcome = m_engine->run(m_sources, m_destination);
        } catch (const std::exception&) {
            m_outcome = shell::CopyOutcome::Failed; // out of memory or threads: failure, never success
        }
        QMetaObject::invokeMethod(this, &WindowedCopy::workerEnded, Qt::QueuedConnection);
    });
}

void WindowedCopy::kill()
{
    if (!m_worker.joinable())
        return;
    m_killed = true;
    m_cancel.resume(); // a paused copy must come round to see the cancel
    m_cancel.cancel();
    m_questions->abandon(); // questions not yet on screen never get there
    // A question on screen holds the worker until it is answered: answer it now.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(w);
        if (dialog != nullptr && dialog->isVisible())
            dialog->reject();
    }
}

void WindowedCopy::workerEnded()
{
    m_worker.join();
    m_progress.reset(); // the progress window goes before the summary comes
    std::vector<shell::LeftOutItem> leftOut = m_engine->leftOut();
    if (!leftOut.empty()) {
        if (const std::string note = m_engine->notKept(); !note.empty())
            leftOut.push_back({m_destination, note});
        if (!m_killed)
            shell::showLeftOutSummary(leftOut);
    }
    emit finished(m_outcome, leftOut);
}

} // namespace copycmd
