// A program set up for scope and scope-plus-chart recordings on the demonstration source and
// virtual time, saving sweeps into a fresh folder.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

#include "chart_fixture.h"
#include "display/chart_screen.h"
#include "platform/virtual_platform.h"
#include "run/recording_run.h"
#include "run/scope_hooks.h"
#include "state/program.h"

namespace trindel::testing {

struct SavedSweeps : ScopeHooks {
    std::vector<std::string> paths;
    std::vector<std::string> status;
    std::vector<int> progress;
    void sweepSaved(const std::string& path, const WriteResult& r) override {
        if (r.ok) {
            paths.push_back(path);
        }
    }
    void showBurstStatus(std::string_view t) override { status.emplace_back(t); }
    void burstProgress(int percent) override { progress.push_back(percent); }
};

struct ScopeFixture {
    VirtualPlatform vp;
    Platform io = vp.platform();
    Program p;
    RecordingHooks hooks;
    SavedSweeps scopeHooks;
    std::filesystem::path folder;

    ScopeFixture(int16_t mode, int channels, int32_t scopeMax, double scopeInterval) {
        SetInitialVariableValues(p, ScreenSize{1280, 1024});
        p.device.External_AD = 0;
        p.device.DemonstrationMODE = 1;
        p.session.RecordingMODE = mode;
        p.session.nChan = static_cast<int16_t>(channels);
        p.session.ScopeMax = scopeMax;
        p.session.ScopeINTERVALinSECONDS = scopeInterval;
        p.session.scopeinterval = static_cast<float>(scopeInterval);
        p.prefs[kPrefWindowWidth] = 1000;
        for (int c = 1; c <= channels; ++c) {
            auto& row = p.channels.Nvar[static_cast<size_t>(c)];
            row[kCoeffA] = 0.0f;
            row[kCoeffB] = 1.0f;
            row[kDisplayMax] = 5.0f;
            row[kDisplayMin] = 0.0f;
            row[kSamplesToAverage] = 1.0f;
        }
        SetChanParams(p, p.prefs[kPrefWindowHeight], 0);
        std::string pattern = (std::filesystem::temp_directory_path() / "trindel-scope-XXXXXX");
        folder = ::mkdtemp(pattern.data());
        p.files.ScopeFileFolder = folder.string();
        p.files.filestrings.rootName = "Scope";
    }
    ~ScopeFixture() { std::filesystem::remove_all(folder); }

    RunResult record(int32_t sweeps = 0, SweepGate gate = {}) {
        RecordingRun run(p, io, hooks);
        run.setScopeHooks(&scopeHooks);
        if (gate) {
            run.setSweepGate(std::move(gate));
        }
        RunFrontEnd fe;
        fe.sweepsToSave = sweeps;
        return run.record(fe);
    }
};

}  // namespace trindel::testing
