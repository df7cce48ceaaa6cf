#pragma once
// The camera follows the player over the current map. The camera itself
// knows nothing of either: the world hands it its target, so the ground
// floor never reaches up into the world.

// One step of the camera: toward the player, kept inside the current map;
// in screen mode (menus) it holds the screen centre. With dt = 0 it only
// sets the view and shows the frame's shake again, drawing no new numbers.
void followPlayer(float dt);

// Leaves screen mode and jumps straight onto the player (kept inside the
// map; no easing, no shake), with the view on whole units: the first frame
// of a level already shows the player.
void snapCameraToPlayer();
