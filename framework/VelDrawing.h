#pragma once

// Off: the graphics device's draw calls do nothing while resources, states
// and uploads go on, for a tool that needs the pictures of a few frames only.
void VelSetDrawing(bool on);
