#pragma once

#include "store/IniGT.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

// A settings store on Tintrel.ini in a temporary folder, optionally holding some content.
class TStoreFixture : public testing::Test {
protected:
    std::string IniPath() const { return temp_.File("Tintrel.ini"); }

    TIniGT& Store(const std::string& content = {}) {
        if (!content.empty()) {
            WriteBytes(IniPath(), content);
        }
        TIniEnvironment environment;
        environment.ProgramPath = temp_.File("tintrel");
        environment.ConfigHome = temp_.File("config");
        environment.FileOps = ops_;
        store_ = std::make_unique<TIniGT>(environment);
        store_->Loaded();
        return *store_;
    }

    std::string Saved() const { return ReadBytes(IniPath()); }

    TTempFolder temp_;
    std::shared_ptr<TFileOps> ops_ = DefaultFileOps();
    std::unique_ptr<TIniGT> store_;
};
