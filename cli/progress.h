#pragma once
// Waiting for a job on the command line, as the status window does in the plug-in: poll the job
// state, show the stage and how far it got, and turn Ctrl-C into a stop request.

#include "pgnlongwork/jobs.h"

// The first Ctrl-C asks the running job to stop (what it merged or wrote is kept); a second one
// ends the program at once.
void installInterruptHandler();
int interruptCount();

// The waiting function for startJob: polls until the job reaches its last stage, drawing one
// progress line on stderr when draw is set. Answers -1 when Ctrl-C stopped the job, else 1.
TWaitForJob progressWaiter(bool draw);
