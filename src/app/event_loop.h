#pragma once

// Routing of the main loop's events and the close request.

namespace scrutor {

class Application;

// Takes every event already waiting, so that a prompt sees the editor as the user left it.
void DrainPendingEvents(Application& app);
// Ends the loop, after offering to save a modified document.
void RequestClose(Application& app);
// Acts on the event just fetched into the application's record.
void DispatchEvent(Application& app);

}  // namespace scrutor
