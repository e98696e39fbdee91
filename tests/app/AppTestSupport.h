#pragma once
// The desktop program under test: one QApplication on the offscreen platform,
// speaking German whatever the machine's language (the tests read its
// German texts), every test in a fresh working directory (the database and the background
// picture are looked up there) with its own profile settings, message boxes,
// file dialogs and the browser scripted.

#include "TestFiles.h"
#include "app/MessageBoxes.h"
#include "app/PageBrowser.h"
#include "app/Translations.h"
#include "archive/BattleDatabase.h"
#include "archive/Connection.h"

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

namespace skarnwald::testing {

inline QApplication& TestApplication() {
    static int argc = 1;
    static char name[] = "app_tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: at exit Qt's own globals may already be gone.
    static auto* application = [] {
        auto* created = new QApplication(argc, argv);
        InstallTranslations(QStringLiteral("de"));
        return created;
    }();
    return *application;
}

class GuiTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        ASSERT_TRUE(folder_.isValid());
        previous_ = QDir::currentPath();
        QDir::setCurrent(folder_.path());
        // Window sizes and recent files stay inside the test's folder.
        for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
            QSettings::setPath(format, QSettings::UserScope, folder_.path());
        MessageBoxes::SetNextAnswer(true);
        MessageBoxes::TakeShownTexts();
        PageBrowser::RecordInsteadOfOpening();
        PageBrowser::TakeOpened();
    }
    void TearDown() override { QDir::setCurrent(previous_); }

    std::filesystem::path Here(const char* name) const {
        return std::filesystem::path(folder_.path().toStdString()) / name;
    }

private:
    QTemporaryDir folder_;
    QString previous_;
};

// A GuiTest with the database "Data.dat" of its working directory open.
class DatabaseTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        connection_ = CConnection::Open("Data.dat").connection;
        ASSERT_TRUE(connection_);
        database_.SetConnection(connection_);
    }

    ConnectionPtr connection_;
    CBattleDatabase database_;
};

using testfiles::FileBytes;
using testfiles::WriteBytes;

inline std::string SampleReport(const char* name) {
    return FileBytes(std::filesystem::path(SKARNWALD_SAMPLES) / name);
}

inline void RunSql(CConnection& connection, const char* sql) {
    ASSERT_EQ(sqlite3_exec(connection.Handle(), sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql;
}

// The first column of the first row of a query, as a number.
inline int QueryInt(CConnection& connection, const std::string& sql) {
    sqlite3_stmt* query = nullptr;
    sqlite3_prepare_v2(connection.Handle(), sql.c_str(), -1, &query, nullptr);
    const int value = query && sqlite3_step(query) == SQLITE_ROW ? sqlite3_column_int(query, 0) : -1;
    sqlite3_finalize(query);
    return value;
}

// Runs `act` on the modal dialog that the next call opens, once it is shown.
inline void OnNextModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        if (QWidget* modal = QApplication::activeModalWidget())
            act(modal);
    });
}

} // namespace skarnwald::testing
