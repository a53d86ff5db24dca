// Shutdown: releases what start-up built, in reverse order, and turns the screen saver back
// on. Runs once on every exit that got past constructing Game; each step tolerates what was
// never created.
#pragma once

void Shutdown();
