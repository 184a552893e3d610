// The service's entry point end to end: the request as the program fills it, the
// copy on a worker thread, the questions answered on the calling thread while its
// event loop keeps running, and the result codes.

#include "platform/shell/FileOperation.h"
#include "platform/shell/FileOperationHooks.h"
#include "platform/copy/ProgressState.h"
#include "platform/copy-ui/SummaryWindow.h"
#include "support/FaultyFileSystem.h"
#include "support/ScriptedQuestions.h"
#include "support/TreeHelpers.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

using namespace shell;
using tree::readFile;
using tree::writeFile;

namespace {

// Lets the service own its questions while the test keeps the script and the log.
class Forwarding : public CopyQuestions {
public:
    explicit Forwarding(ScriptedQuestions& to) : m_to(to) {}
    bool createFolder(const std::string& p) override { return m_to.createFolder(p); }
    ClashAnswer replaceItem(const ItemDetails& a, const ItemDetails& b) override
    {
        return m_to.replaceItem(a, b);
    }
    ClashAnswer mergeFolder(const ItemDetails& a, const ItemDetails& b) override
    {
        return m_to.mergeFolder(a, b);
    }
    ErrorAnswer copyError(const std::string& i, const std::string& r, bool c) override
    {
        return m_to.copyError(i, r, c);
    }
    bool copyWithoutRoom(const std::string& f, std::uint64_t n, std::uint64_t a) override
    {
        return m_to.copyWithoutRoom(f, n, a);
    }
    bool deletePermanently(const std::string& p, const std::string& r) override
    {
        return m_to.deletePermanently(p, r);
    }
    void requestFailed(const std::string& m) override { m_to.requestFailed(m); }

private:
    ScriptedQuestions& m_to;
};

QByteArray nameList(const std::string& name)
{
    QByteArray list = QByteArray::fromStdString(name);
    list.append('\0');
    list.append('\0');
    return list;
}

} // namespace

class TestFileOperation : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void copiesAFolderAndAnswersOnTheCallingThread();
    void eventLoopKeepsRunningDuringTheCopy();
    void resultCodes();
    void onlyCopyRequestsAreCarriedOut();
    void nonUtf8NamesPassThroughTheRequest();
    void oneRequestAtATime();
    void summaryWindowListsItemsAsCopyableText();
    void quitDuringTheCopyEndsIt();

private:
    int run(const std::string& from, const std::string& to, unsigned func = FO_COPY);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::string m_root;
    ScriptedQuestions m_questions;
    FaultyFileSystem* m_fs = nullptr;
    std::function<void(FaultyFileSystem&)> m_faults;
    bool m_aborted = false;
    std::vector<std::vector<LeftOutItem>> m_summaries;
};

void TestFileOperation::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_root = m_dir->path().toStdString();
    ::setenv("XDG_DATA_HOME", (m_root + "/data").c_str(), 1);
    tree::makeFolder(m_root + "/src");
    tree::makeFolder(m_root + "/dst");
    m_questions = ScriptedQuestions();
    m_faults = nullptr;
    FileOperationHooks hooks;
    hooks.questions = [this] { return std::make_unique<Forwarding>(m_questions); };
    hooks.progress = [](CancelToken&) { return std::make_unique<ProgressState>(); };
    hooks.fileSystem = [this] {
        auto fs = std::make_unique<FaultyFileSystem>();
        if (m_faults)
            m_faults(*fs);
        return fs;
    };
    hooks.summary = [this](const std::vector<LeftOutItem>& items) {
        m_summaries.push_back(items);
        return false;
    };
    m_summaries.clear();
    setFileOperationHooks(std::move(hooks));
}

void TestFileOperation::cleanup()
{
    setFileOperationHooks({});
    m_dir.reset();
}

int TestFileOperation::run(const std::string& from, const std::string& to, unsigned func)
{
    SHFILEOPSTRUCTA request;
    request.wFunc = func;
    request.pFrom = nameList(from);
    request.pTo = nameList(to);
    request.fFlags = FOF_ALLOWUNDO;
    request.fAnyOperationsAborted = true; // the service must set it itself
    int result = SHFileOperationA(request);
    m_aborted = request.fAnyOperationsAborted;
    return result;
}

void TestFileOperation::copiesAFolderAndAnswersOnTheCallingThread()
{
    tree::makeFolder(m_root + "/src/f");
    writeFile(m_root + "/src/f/a.txt", "new");
    writeFile(m_root + "/src/f/b.txt", "b");
    tree::makeFolder(m_root + "/dst/f");
    writeFile(m_root + "/dst/f/a.txt", "old");
    m_questions.clashAnswers = {ClashAnswer::Yes, ClashAnswer::Yes};

    QCOMPARE(run(m_root + "/src/f", m_root + "/dst"), int(FileOpSuccess));
    QVERIFY(!m_aborted);
    QCOMPARE(readFile(m_root + "/dst/f/a.txt"), QByteArray("new"));
    QCOMPARE(readFile(m_root + "/dst/f/b.txt"), QByteArray("b"));
    QCOMPARE(readFile(m_root + "/data/Trash/files/a.txt"), QByteArray("old"));
    QCOMPARE(m_questions.log,
             (std::vector<std::string>{"merge " + m_root + "/dst/f", "replace " + m_root + "/dst/f/a.txt"}));
    for (QThread* thread : m_questions.threads)
        QCOMPARE(thread, QThread::currentThread());
}

void TestFileOperation::eventLoopKeepsRunningDuringTheCopy()
{
    writeFile(m_root + "/src/a.txt", "a");
    writeFile(m_root + "/dst/a.txt", "old");
    // Posted before the call: only a running event loop can deliver it before the
    // question, which the engine asks from its own thread halfway through the copy.
    bool delivered = false;
    bool deliveredBeforeQuestion = false;
    QTimer::singleShot(0, this, [&] { delivered = true; });
    m_questions.whenAsked = [&] { deliveredBeforeQuestion = delivered; };
    m_questions.clashAnswers = {ClashAnswer::No};
    QCOMPARE(run(m_root + "/src/a.txt", m_root + "/dst"), int(FileOpSuccess));
    QVERIFY(deliveredBeforeQuestion);
    QVERIFY(m_aborted); // the user chose to leave an item out
    QCOMPARE(readFile(m_root + "/dst/a.txt"), QByteArray("old"));
    QVERIFY(m_summaries.empty()); // declining is the person's choice, not a fault to list
}

void TestFileOperation::resultCodes()
{
    writeFile(m_root + "/src/a.txt", "a");
    writeFile(m_root + "/dst/a.txt", "old");

    m_questions.clashAnswers = {ClashAnswer::Cancel};
    QCOMPARE(run(m_root + "/src/a.txt", m_root + "/dst"), int(FileOpCancelled));
    QVERIFY(m_aborted);

    m_questions.createAnswers = {false};
    QCOMPARE(run(m_root + "/src/a.txt", m_root + "/dst/new"), int(FileOpCancelled));

    QCOMPARE(run(m_root + "/src/missing", m_root + "/dst"), int(FileOpRefused));
    QCOMPARE(m_questions.count("failed "), 1);

    m_faults = [](FaultyFileSystem& fs) { fs.readFault = FaultyFileSystem::Fault{"a.txt", -EIO}; };
    m_questions.errorAnswers = {ErrorAnswer::Skip};
    QCOMPARE(run(m_root + "/src/a.txt", m_root + "/dst/other"), int(FileOpFailed));
    QVERIFY(m_aborted);
    QVERIFY(!tree::exists(m_root + "/dst/other/a.txt"));
    // The skipped item is listed, with its reason, before the request returns.
    QCOMPARE(m_summaries.size(), size_t(1));
    QCOMPARE(m_summaries[0].size(), size_t(1));
    QCOMPARE(m_summaries[0][0].item, m_root + "/src/a.txt");
    QVERIFY(!m_summaries[0][0].reason.empty());
}

void TestFileOperation::onlyCopyRequestsAreCarriedOut()
{
    writeFile(m_root + "/src/a.txt", "a");
    for (unsigned func : {unsigned(FO_MOVE), unsigned(FO_DELETE), unsigned(FO_RENAME), 0u})
        QCOMPARE(run(m_root + "/src/a.txt", m_root + "/dst", func), int(FileOpRefused));
    QCOMPARE(readFile(m_root + "/src/a.txt"), QByteArray("a"));
    QVERIFY(tree::listing(m_root + "/dst").empty());

    SHFILEOPSTRUCTA empty;
    empty.wFunc = FO_COPY;
    empty.pFrom = QByteArray("\0\0", 2);
    empty.pTo = nameList(m_root + "/dst");
    QCOMPARE(SHFileOperationA(empty), int(FileOpRefused));
    QVERIFY(m_questions.log.empty());
}

void TestFileOperation::nonUtf8NamesPassThroughTheRequest()
{
    const std::string name = m_root + "/src/na\xefve\xff";
    writeFile(name, "x");
    QCOMPARE(run(name, m_root + "/dst"), int(FileOpSuccess));
    QCOMPARE(readFile(m_root + "/dst/na\xefve\xff"), QByteArray("x"));
    ::unlink(name.c_str());
    ::unlink((m_root + "/dst/na\xefve\xff").c_str());
}

void TestFileOperation::oneRequestAtATime()
{
    writeFile(m_root + "/src/a.txt", "a");
    writeFile(m_root + "/dst/a.txt", "old");
    // A second request made while the first waits on a question starts nothing.
    int nested = -1;
    m_questions.whenAsked = [&] {
        QVERIFY(fileOperationRunning());
        nested = run(m_root + "/src/a.txt", m_root + "/dst/second");
    };
    m_questions.clashAnswers = {ClashAnswer::Yes};
    QCOMPARE(run(m_root + "/src/a.txt", m_root + "/dst"), int(FileOpSuccess));
    QCOMPARE(nested, int(FileOpBusy));
    QVERIFY(!tree::exists(m_root + "/dst/second"));
    QCOMPARE(m_questions.count("replace "), 1);
    QVERIFY(!fileOperationRunning());
}

void TestFileOperation::summaryWindowListsItemsAsCopyableText()
{
    const std::vector<LeftOutItem> items{{"/src/na\xefve", "Permission denied"},
                                         {"/src/b", "kept: the trash refused it"}};
    SummaryWindow window(items);
    QCOMPARE(window.list()->toPlainText(), QFile::decodeName("/src/na\xefve")
                                               + "\tPermission denied\n/src/b\tkept: the trash refused it\n");
    QVERIFY(window.list()->isReadOnly());
    QVERIFY(window.list()->textInteractionFlags() & Qt::TextSelectableByMouse);
    QVERIFY(window.list()->textInteractionFlags() & Qt::TextSelectableByKeyboard);
    QVERIFY(!window.parentWidget());
    QCOMPARE(SummaryWindow::headingText(1).contains("This item"), true);
    QApplication::clipboard()->clear();
    window.copyButton()->click();
    QCOMPARE(QApplication::clipboard()->text(), window.list()->toPlainText());
    QCOMPARE(window.choice(), SummaryChoice::Close);
    window.retryButton()->click();
    QCOMPARE(window.choice(), SummaryChoice::Retry);
    QVERIFY(window.undoButton()->isHidden()); // only for a request that was recorded
    window.undoButton()->click();
    QCOMPARE(window.choice(), SummaryChoice::Undo);
}

void TestFileOperation::quitDuringTheCopyEndsIt()
{
    // The application quits while the worker copies a; the socket after it would
    // then ask a question of a thread that no longer serves events.
    tree::makeFolder(m_root + "/src/t");
    writeFile(m_root + "/src/t/a", "a");
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, (m_root + "/src/t/b.sock").c_str());
    QCOMPARE(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const std::string slow = m_root + "/src/t/a";
    m_faults = [slow](FaultyFileSystem& fs) {
        fs.whenOpened = [slow](const std::string& path) {
            if (path == slow)
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
        };
    };
    FileOperationHooks inOrder = setFileOperationHooks({});
    inOrder.options.threads = 1; // a is copied before the socket is looked at
    setFileOperationHooks(std::move(inOrder));
    int result = -1;
    QTimer::singleShot(0, [&] { result = run(m_root + "/src/t", m_root + "/dst"); });
    QTimer::singleShot(50, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
    ::close(sock);
    QCOMPARE(result, int(FileOpCancelled));
    QVERIFY(m_questions.log.empty());
    QVERIFY(tree::partials(m_root + "/dst").empty());
}

QTEST_MAIN(TestFileOperation)
#include "tst_file_operation.moc"
