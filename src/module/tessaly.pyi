# type stubs, completed below
