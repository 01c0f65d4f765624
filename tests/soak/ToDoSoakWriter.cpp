// One desk of the two-desk soak: the real To Do page and To Do Entry dialog, driven at random for
// a while on a company that another desk writes to at the same time. Every operation is logged
// with what became of it, so the checker can prove each saved change landed once, where it was
// meant to, and nothing else did.
//
//   todo_soak_writer COMPANY USER NAME SECONDS SEED LOG
//
// Log lines (tab-separated): "edit NAME-n RECNO saved|discarded|cancelled", "new NAME-n 0 saved",
// "delete NAME-n RECNO saved|discarded|cancelled DESCRIPTION". An edit appends " NAME-n@RECNO" to
// the entry's notes; a new entry is described "new NAME-n". Conflicts are answered "keep
// theirs", so every saved change is built on the record as it stood.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <random>
#include <string>

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "host/file/DataContext.h"
#include "host/ui/CKListView.h"
#include "host/ui/CKMessageBox.h"
#include "src/app/StringTable.h"
#include "src/pages/CReminderToDo.h"
#include "src/pages/scans/ToDoScan.h"
#include "src/records/CAddTask.h"
#include "src/records/CRecordWrite.h"
#include "tests/pages/FakeTaskServices.h"

namespace kelo {
namespace {

using Clock = std::chrono::steady_clock;

class Desk {
public:
    Desk(DataContext& context, const std::string& user, std::string name, unsigned seed,
         const std::string& log)
        : m_services(context, user), m_name(std::move(name)), m_random(seed), m_log(log)
    {
        m_services.programDate = 1;  // every entry due later: all are Current Tasks
        CKMessageBox::SetAnswerer([this](QWidget*, const QString& text, int kind, const QString&,
                                         int) { return Answer(text, kind); });
        m_page = new CReminderToDo(m_services, nullptr, nullptr);
        m_page->Create(nullptr);
    }

    void Run(int seconds)
    {
        const auto end = Clock::now() + std::chrono::seconds(seconds);
        while (Clock::now() < end) {
            QCoreApplication::processEvents();
            const int pick = Pick(100);
            if (pick < 70) Edit();
            else if (pick < 85) Delete();
            else New();
            m_log.flush();
        }
        m_page->DestroyWindow();
        QCoreApplication::processEvents();
    }

    int Operations() const { return m_count; }

private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    std::string NextId() { return m_name + "-" + std::to_string(++m_count); }

    MsgAnswer Answer(const QString& text, int kind)
    {
        const std::string shown = text.trimmed().toStdString();
        m_lastQuestion = shown;
        if (kind != MsgKind::YesNo && kind != MsgKind::YesNoCancel) return MsgAnswer::Ok;
        // The page's own "are you sure" gets Yes; another desk's change: keep theirs.
        if (shown == StringTable::Load(CReminderToDo::kDeleteQuestion)) return MsgAnswer::Yes;
        return MsgAnswer::No;
    }

    // Opens the dialog on `recNo` and works it from inside its modal run after a short while,
    // so change notices from the other desk arrive while it is open.
    int RunDialog(uint32_t recNo, const std::function<void(CAddTask&)>& edit)
    {
        CAddTask dialog(*m_page, m_services.Context(), recNo);
        int result = 0;
        QTimer::singleShot(Pick(20), &dialog, [&] {
            edit(dialog);
            if (!dialog.SaveEntry() && dialog.IsModal()) {
                result = -2;  // stays open: the lock was held, or a check failed
                dialog.CancelButton()->click();
            }
        });
        const int ended = dialog.DoModal(nullptr);
        return result == -2 ? -2 : ended;
    }

    uint32_t RandomRow(std::string* description = nullptr)
    {
        CKListView* list = m_page->List();
        if (list->RowCount() == 0) return 0;
        const int row = Pick(list->RowCount());
        list->SelectRow(row);
        const auto bytes = list->RowBytes(row);
        if (description) *description = ToDoColumns().ReadText(bytes, kToDoColName);
        return ToDoColumns().ReadUInt32(bytes, kToDoColRecordNumber);
    }

    static const char* Outcome(int ended)
    {
        return ended == IDOK ? "saved" : ended == -2 ? "cancelled" : "discarded";
    }

    void Edit()
    {
        const uint32_t recNo = RandomRow();
        if (recNo == 0) return New();
        const std::string id = NextId();
        const int ended = RunDialog(recNo, [&](CAddTask& d) {
            d.Notes()->setPlainText(d.Notes()->toPlainText() + QString::fromStdString(
                                                                   " " + id + "@" + std::to_string(recNo)));
        });
        m_log << "edit\t" << id << '\t' << recNo << '\t' << Outcome(ended) << '\n';
    }

    void New()
    {
        const std::string id = NextId();
        const int ended = RunDialog(0, [&](CAddTask& d) {
            d.Description()->setText(QString::fromStdString("new " + id));
        });
        m_log << "new\t" << id << "\t0\t" << Outcome(ended) << '\n';
    }

    void Delete()
    {
        std::string description;
        const uint32_t recNo = RandomRow(&description);
        if (recNo == 0) return New();
        const std::string id = NextId();
        m_lastQuestion.clear();
        const bool deleted = m_page->DeleteSelected();
        const bool locked =
            m_lastQuestion == StringTable::Load(CRecordWrite::kLockedByOther);
        m_log << "delete\t" << id << '\t' << recNo << '\t'
              << (deleted ? "saved" : locked ? "cancelled" : "discarded") << '\t' << description
              << '\n';
    }

    test::FakeTaskServices m_services;
    std::string m_name;
    std::mt19937 m_random;
    std::ofstream m_log;
    CReminderToDo* m_page = nullptr;
    std::string m_lastQuestion;
    int m_count = 0;
};

}  // namespace
}  // namespace kelo

int main(int argc, char** argv)
{
    if (argc != 7) {
        std::fprintf(stderr, "usage: todo_soak_writer COMPANY USER NAME SECONDS SEED LOG\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    kelo::DataContext context = kelo::DataContext::Open(argv[1]);
    kelo::Desk desk(context, argv[2], argv[3], unsigned(std::stoul(argv[5])), argv[6]);
    desk.Run(std::stoi(argv[4]));
    std::printf("%s: %d operations\n", argv[3], desk.Operations());
    return 0;
}
