#pragma once
// Marks a fixed message of the core as translatable without translating it:
// the core never links the toolkit, so the window looks the text up when it
// shows it, and the catalogue extraction finds it by this marker.

#define N_(text) text
