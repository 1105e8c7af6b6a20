#pragma once
// Test support: writers of the formats the program only reads, and fixture helpers.
// Each writer has its own header in this folder.
