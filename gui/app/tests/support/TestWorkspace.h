#pragma once
// A project workspace whose files are plain markers, for window tests that need no real
// project data: it records what the window asked of it.

#include "model/workspace/ProjectWorkspace.h"

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace dorvek::test {

class TTestWorkspace : public TProjectWorkspace {
public:
    struct TLog {
        std::vector<std::pair<std::string, int>> Loads;
        std::vector<std::string> Saves;
        std::vector<std::pair<std::string, bool>> PlotReads;
        std::vector<std::string> SettingsRead, SettingsWritten;
        int News = 0;
    };
    explicit TTestWorkspace(TLog& log) : fLog(log) {}

    bool PlotReadResult = true;
    bool FailSave = false;
    std::optional<TCheckDataInput> CheckInput;
    // What the checks after the data check find (nothing unless a test says).
    std::vector<std::string> PreRunFindings;

    void CreateNew() override {
        ++fLog.News;
        TProjectWorkspace::CreateNew();
    }
    std::optional<std::string> LoadFromFile(const std::string& fileName, int filter) override {
        fLog.Loads.emplace_back(fileName, filter);
        fData = TProgramData{};
        fData.FileName = fileName;
        ClearChanged();
        return std::nullopt;
    }
    void Save() override {
        if (FailSave) throw std::runtime_error("disk full");
        std::ofstream(fData.FileName) << "saved\n";
        fLog.Saves.push_back(fData.FileName);
        ClearChanged();
    }
    bool ReadPlotData(const std::string& plotFile, bool reportErrors,
                      const std::function<void(const std::string&)>&) override {
        fLog.PlotReads.emplace_back(plotFile, reportErrors);
        return PlotReadResult;
    }
    void ReadGraphSettings() override { fLog.SettingsRead.push_back(fData.FileName); }
    void WriteGraphSettings() override { fLog.SettingsWritten.push_back(fData.FileName); }
    TCheckDataInput CheckDataInput() const override {
        return CheckInput ? *CheckInput : TProjectWorkspace::CheckDataInput();
    }
    std::vector<std::string>
    PreRunWarnings(const std::function<std::string(long double)>&) const override {
        return PreRunFindings;
    }

private:
    TLog& fLog;
};

} // namespace dorvek::test
