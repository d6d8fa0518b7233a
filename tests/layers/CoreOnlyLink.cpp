// Linked with the whole engine archive and QtCore alone: the link fails when
// an engine object needs a symbol of QtGui, QtWidgets or another module.
int main()
{
    return 0;
}
