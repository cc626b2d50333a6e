// The record store: the title text of the competitions menu and the database
// path recorded in the configuration file at close. No database file is
// ever created or read.
#pragma once

#include <string>

class RecordStore {
public:
    RecordStore();
    const std::string& Title() const { return title_; }
    // No screen of this program sets the title; it is shown as it is.
    void SetTitle(const std::string& title) { title_ = title; }
    const std::string& DatabasePath() const { return databasePath_; }

private:
    std::string title_;
    std::string databasePath_;
};
