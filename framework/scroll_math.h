#pragma once
// The arithmetic of a frame window's scrolling, apart from any window. A
// content size of 0 stands for the client size (nothing to scroll).

// How far a scroll back (up or left) by `amount` really goes from `position`.
// Negative amounts move nothing.
int BackwardScroll(int amount, int position);

// How far a scroll forward (down or right) by `amount` really goes.
int ForwardScroll(int amount, int content, int client, int position);

// The position brought back into 0 .. content - client. Sets *changed when it moved.
int ClampScrollPosition(int position, int content, int client, bool* changed);

// A page request's amount: a positive step as it is, 0 the client size, and a
// negative step the client size less that much (pages that overlap), at
// least one pixel.
int PageAmount(int pageStep, int client);
