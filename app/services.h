#pragma once

class Messages;

// What the window needs from the world outside it. The caller owns every
// service and keeps it alive for the window's lifetime; main() passes the
// real ones and tests pass fakes.
struct Services
{
    Messages *messages = nullptr;
};
