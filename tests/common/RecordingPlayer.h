// An in-memory movie player for logic tests of the windows above the bridge:
// records every call in order, keeps variables, answers labels the test sets,
// and lets the test fire the movie's commands.
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

    bool Play() override { return Record("Play()"); }
    bool Rewind() override { return Record("Rewind()"); }
    std::int32_t FlashVersion() override
    {
        Record("FlashVersion()");
        return version;
    }
    bool LoadMovie(std::int32_t layer, const std::string& url) override
    {
        return Record("LoadMovie(" + std::to_string(layer) + "," + url + ")");
    }
    bool TGotoFrame(const std::string& target, std::int32_t frame) override
    {
        return Record("TGotoFrame(" + target + "," + std::to_string(frame) + ")");
    }
    bool TGotoLabel(const std::string& target, const std::string& label) override
    {
        labels[target] = label;
        return Record("TGotoLabel(" + target + "," + label + ")");
    }
    std::string TCurrentLabel(const std::string& target) override
    {
        Record("TCurrentLabel(" + target + ")");
        return labels[target];
    }
    bool TPlay(const std::string& target) override { return Record("TPlay(" + target + ")"); }
    bool SetVariable(const std::string& name, const std::string& value) override
    {
        variables[name] = value;
        return Record("SetVariable(" + name + "," + value + ")");
    }
    std::string GetVariable(const std::string& name) override
    {
        Record("GetVariable(" + name + ")");
        return variables[name];
    }

    void Send(const std::string& command, const std::string& args) { FireCommand(command, args); }

private:
    bool Record(const std::string& call)
    {
        calls.push_back(call);
        return true;
    }
};
