#pragma once
// The tick's tests still include this from the time the views were free functions; what
// they use is in fakes.h. It goes once they no longer include it.
