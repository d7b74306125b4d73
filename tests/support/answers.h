#pragma once

// Every test that may show a message box or a file dialog starts from a clean
// slate where nothing can block: a box without a prepared answer is recorded
// and answered with its default instead of waiting for a person.
struct DialogAnswersScope
{
    DialogAnswersScope();
    ~DialogAnswersScope();
};
