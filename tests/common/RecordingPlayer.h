// An in-memory movie player for tests of the windows above the bridge: logs
// every call, keeps variables and labels, reports the version the test sets,
// and lets the test send the movie's commands.
#pragma once

#include "player/MoviePlayer.h"

#include <map>
#include <string>
#include <vector>

class RecordingPlayer : public IMoviePlayer {
public:
    std::vector<std::string> calls;
    std::map<std::string, std::string> variables;
    std::map<std::string, std::string> labels;
    std::int32_t version = 0x0A0000;

    bool Play() override { return Log("Play()"); }
    bool Rewind() override { return Log("Rewind()"); }
    std::int32_t FlashVersion() override { return Log("FlashVersion()") ? version : 0; }
    bool LoadMovie(std::int32_t layer, const std::string& url) override
    {
        return Log("LoadMovie(" + std::to_string(layer) + "," + url + ")");
    }
    bool TGotoFrame(const std::string& target, std::int32_t frame) override
    {
        return Log("TGotoFrame(" + target + "," + std::to_string(frame) + ")");
    }
    bool TGotoLabel(const std::string& target, const std::string& label) override
    {
        labels[target] = label;
        return Log("TGotoLabel(" + target + "," + label + ")");
    }
    std::string TCurrentLabel(const std::string& target) override { return Log("TCurrentLabel") ? labels[target] : ""; }
    bool TPlay(const std::string& target) override { return Log("TPlay(" + target + ")"); }
    bool SetVariable(const std::string& name, const std::string& value) override
    {
        variables[name] = value;
        return Log("SetVariable(" + name + ")");
    }
    std::string GetVariable(const std::string& name) override { return Log("GetVariable") ? variables[name] : ""; }

    void Send(const std::string& command, const std::string& args) { FireCommand(command, args); }

private:
    bool Log(const std::string& call) { return calls.push_back(call), true; }
};
