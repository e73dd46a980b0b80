#include "app/FrameInputPlatform.h"

#include <algorithm>
#include <utility>

FrameInputPlatform::FrameInputPlatform(std::unique_ptr<Platform> innerPlatform)
    : inner(std::move(innerPlatform)) {}

bool FrameInputPlatform::CreateGameWindow(const std::string& title, int width, int height) {
  return inner->CreateGameWindow(title, width, height);
}

void FrameInputPlatform::DestroyGameWindow() {
  inner->DestroyGameWindow();
}

bool FrameInputPlatform::HasGameWindow() const {
  return inner->HasGameWindow();
}

void* FrameInputPlatform::NativeWindow() const {
  return inner->NativeWindow();
}

void FrameInputPlatform::SetWindowIcon(int width, int height, const std::vector<uint8_t>& rgba) {
  inner->SetWindowIcon(width, height, rgba);
}

bool FrameInputPlatform::SetFullscreen(bool fullscreen) {
  return inner->SetFullscreen(fullscreen);
}

void FrameInputPlatform::ShowError(const std::string& caption, const std::string& text, bool ownedByWindow) {
  inner->ShowError(caption, text, ownedByWindow);
}

bool FrameInputPlatform::AskYesNo(const std::string& caption, const std::string& text) {
  return inner->AskYesNo(caption, text);
}

void FrameInputPlatform::ShowCursor(bool show) {
  inner->ShowCursor(show);
}

void FrameInputPlatform::SetLook(float sensitivity, bool invertY) {
  inner->SetLook(sensitivity, invertY);
}

bool FrameInputPlatform::IsPaused() const {
  return inner->IsPaused();
}

uint32_t FrameInputPlatform::GetMilliseconds() const {
  return inner->GetMilliseconds();
}

void FrameInputPlatform::SleepMilliseconds(uint32_t ms) {
  inner->SleepMilliseconds(ms);
}

uint32_t FrameInputPlatform::ReadSeedClock() {
  return inner->ReadSeedClock();
}

bool FrameInputPlatform::IsWindowActive() const {
  return inner->HasGameWindow() && !frame.inactive;
}

bool FrameInputPlatform::IsKeyDown(int virtualKey) const {
  return std::find(frame.keys.begin(), frame.keys.end(), virtualKey) != frame.keys.end();
}

PlatformPoint FrameInputPlatform::GetCursorPos() const {
  return cursor;
}

void FrameInputPlatform::SetCursorPos(PlatformPoint screen) {
  cursor = screen;
}

PlatformPoint FrameInputPlatform::ScreenToClient(PlatformPoint screen) const {
  return screen;
}

PlatformPoint FrameInputPlatform::ClientToScreen(PlatformPoint client) const {
  return client;
}

void FrameInputPlatform::SetFrameInput(const ReplayInput& input) {
  frame = input;
  if (input.moveCursor) cursor = {input.cursorX, input.cursorY};
}
