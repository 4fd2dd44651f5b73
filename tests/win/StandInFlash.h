// A stand-in for the Shockwave Flash control, for tests only: its class
// object is registered in the test process under the control's real class
// id, so the host creates it by class id exactly as it would the control.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

namespace standin {

// Registers or revokes the class object on the calling COM thread.
bool Register(bool registered);
// The stand-in controls alive.
long LiveObjects();

// What the control created last was asked since the last look, texts in
// UTF-8: "put Name=S:value", and each call as its dispatch id in hex with its
// arguments ("8e(I4:0,S:C:\x.swf)").
std::vector<std::string> TakeLog();
// Makes the control created last fire FSCommand from inside its next call of
// this dispatch id, or for 0 from the message loop (a timer's, due at once).
void FireDuring(DISPID id, const std::wstring& command, const std::wstring& args);

} // namespace standin
