// Errors with the place they were raised; out-of-memory errors of FCArray.
#pragma once

#include <ctime>
#include <string>

class FCException {
public:
    FCException(const char* file, int line, const char* message);
    virtual ~FCException() = default;
    virtual std::string GetFile() const { return file_; }
    virtual int GetLine() const { return line_; }
    virtual std::string GetMessageText() const { return message_; }
    virtual std::time_t GetTime() const { return time_; }
    virtual void SetMessageText(const char* message);

private:
    std::string file_;
    int line_;
    std::string message_;
    std::time_t time_;
};

class FCMemException : public FCException {
public:
    FCMemException(const char* file, int line, const char* operation, int bytes);
    virtual int GetSize() const { return bytes_; }

private:
    int bytes_;
};
