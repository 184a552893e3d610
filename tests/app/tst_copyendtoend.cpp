// One real copy through the real window and the shell's file-operation
// service: a file and a folder tree go into a temporary destination folder.

#include "app/DlgCopy.h"
#include "platform/forms/ControlText.h"
#include "platform/forms/FormTimer.h"
#include "platform/forms/MessageBoxRecorder.h"
#include "platform/shell/FileOperationHooks.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(data), data.size());
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The shell's own questions and error messages, answered without windows: a
// plain copy into an empty folder must ask nothing.
struct ScriptedQuestions : shell::CopyQuestions {
    QStringList* log;
    explicit ScriptedQuestions(QStringList* l) : log(l) {}
    bool createFolder(const std::string& path) override
    {
        log->append(QStringLiteral("create ") + QString::fromStdString(path));
        return false;
    }
    shell::ClashAnswer replaceItem(const shell::ItemDetails& existing, const shell::ItemDetails&) override
    {
        log->append(QStringLiteral("replace ") + QString::fromStdString(existing.path));
        return shell::ClashAnswer::Cancel;
    }
    shell::ClashAnswer mergeFolder(const shell::ItemDetails& existing, const shell::ItemDetails&) override
    {
        log->append(QStringLiteral("merge ") + QString::fromStdString(existing.path));
        return shell::ClashAnswer::Cancel;
    }
    shell::ErrorAnswer copyError(const std::string& item, const std::string&, bool) override
    {
        log->append(QStringLiteral("error ") + QString::fromStdString(item));
        return shell::ErrorAnswer::Cancel;
    }
    bool copyWithoutRoom(const std::string&, std::uint64_t, std::uint64_t) override
    {
        log->append(QStringLiteral("room"));
        return false;
    }
    bool deletePermanently(const std::string&, const std::string&) override
    {
        log->append(QStringLiteral("delete"));
        return false;
    }
    void requestFailed(const std::string&) override { log->append(QStringLiteral("failed")); }
};

} // namespace

class TestCopyEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { forms::FormTimer::setManualDriving(true); }

    void copiesAFileAndAFolder()
    {
        QTemporaryDir root;
        QVERIFY(root.isValid());
        QDir dir(root.path());
        QVERIFY(dir.mkpath(QStringLiteral("src/tree/sub")));
        QVERIFY(dir.mkpath(QStringLiteral("dest")));
        const QByteArray payload = QByteArray("Quintaro copy test\n").repeated(1000);
        writeFile(dir.filePath(QStringLiteral("src/report.txt")), payload);
        writeFile(dir.filePath(QStringLiteral("src/tree/sub/deep.bin")), QByteArray(70000, '\x5A'));

        QStringList questions;
        shell::FileOperationHooks hooks;
        hooks.questions = [&questions] { return std::make_unique<ScriptedQuestions>(&questions); };
        const shell::FileOperationHooks previous = shell::setFileOperationHooks(hooks);

        forms::MessageBoxRecorder boxes;
        app::DlgCopy dlg; // the real shell entry point
        dlg.show();
        auto* source = dlg.controls().object(QStringLiteral("Txt"), 0);
        auto* destination = dlg.controls().object(QStringLiteral("Txt"), 1);
        auto* copyButton = dlg.controls().object(QStringLiteral("btn"), 0);

        forms::setControlText(source, dir.filePath(QStringLiteral("src/report.txt")));
        forms::setControlText(destination, dir.filePath(QStringLiteral("dest")));
        QVERIFY(QMetaObject::invokeMethod(copyButton, "Click"));
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Copying Succesfuly!")});
        QCOMPARE(readFile(dir.filePath(QStringLiteral("dest/report.txt"))), payload);

        forms::setControlText(source, dir.filePath(QStringLiteral("src/tree")));
        QVERIFY(QMetaObject::invokeMethod(copyButton, "Click"));
        QCOMPARE(boxes.texts().last(), QStringLiteral("Copying Succesfuly!"));
        QCOMPARE(readFile(dir.filePath(QStringLiteral("dest/tree/sub/deep.bin"))), QByteArray(70000, '\x5A'));
        QCOMPARE(questions, QStringList());

        forms::setControlText(source, dir.filePath(QStringLiteral("src/no-such-file")));
        QVERIFY(QMetaObject::invokeMethod(copyButton, "Click"));
        QCOMPARE(boxes.texts().last(), QStringLiteral("Copying Failed!"));
        QCOMPARE(questions, QStringList{QStringLiteral("failed")}); // the shell explained it itself
        shell::setFileOperationHooks(previous);

        boxes.script({forms::MsgResult::Yes});
        QVERIFY(dlg.unload());
    }
};

QTEST_MAIN(TestCopyEndToEnd)
#include "tst_copyendtoend.moc"
