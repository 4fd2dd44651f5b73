// What the menu needs of a movie player: the ten operations it drives the
// menu movie with, and the one event (FSCommand) by which the movie answers.
// Texts are narrow strings in the system's ANSI code page. The Flash control
// wrapper and the built-in player both implement it.
#pragma once

#include "MenuModel.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class IMoviePlayer {
public:
    using CommandHandler = std::function<void(const std::string& command, const std::string& args)>;

    virtual ~IMoviePlayer() = default;

    // Each returns whether the player accepted the call; the menu carries on
    // either way.
    virtual bool Play() = 0;
    virtual bool Rewind() = 0;
    virtual std::int32_t FlashVersion() = 0;
    virtual bool LoadMovie(std::int32_t layer, const std::string& url) = 0;
    virtual bool TGotoFrame(const std::string& target, std::int32_t frame) = 0;
    virtual bool TGotoLabel(const std::string& target, const std::string& label) = 0;
    virtual std::string TCurrentLabel(const std::string& target) = 0;
    virtual bool TPlay(const std::string& target) = 0;
    virtual bool SetVariable(const std::string& name, const std::string& value) = 0;
    virtual std::string GetVariable(const std::string& name) = 0;

    // While the menu is built, before its document exists: the entries found
    // so far, a line on the build's progress (empty when it is over), and why
    // the menu stays empty when it could not be built (until the next
    // document). Only the built-in player can show them; the movie cannot.
    virtual void ShowFoundEntries(const std::vector<player::MenuEntry>& /*entries*/) {}
    virtual void ShowProgress(const std::string& /*text*/) {}
    virtual void ShowProblem(const std::string& /*text*/) {}

    // The movie's commands arrive here on the GUI thread, possibly from
    // inside one of the calls above.
    void SetCommandHandler(CommandHandler handler) { m_fnCommand = std::move(handler); }

protected:
    void FireCommand(const std::string& command, const std::string& args)
    {
        if (m_fnCommand)
            m_fnCommand(command, args);
    }

private:
    CommandHandler m_fnCommand;
};

// The lowest FlashVersion the menu movie runs on (major version 6).
constexpr std::int32_t kRequiredFlashVersion = 0x60000;
