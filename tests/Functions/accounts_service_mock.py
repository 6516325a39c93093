'''A small AccountsService for tests: FindUserById and the users' RealName, Email and Location.

Parameters: {"users": {"<uid>": {"RealName": ..., "Email": ..., "Location": ...}}}
'''

import dbus

BUS_NAME = 'org.freedesktop.Accounts'
MAIN_OBJ = '/org/freedesktop/Accounts'
MAIN_IFACE = 'org.freedesktop.Accounts'
USER_IFACE = 'org.freedesktop.Accounts.User'
SYSTEM_BUS = True


def load(mock, parameters):
    users = {int(uid): values for uid, values in parameters.get('users', {}).items()}
    for uid, values in users.items():
        properties = {key: dbus.String(values.get(key, '')) for key in ('RealName', 'Email', 'Location')}
        properties['Uid'] = dbus.UInt64(uid)
        mock.AddObject(f'{MAIN_OBJ}/User{uid}', USER_IFACE, properties, [])
    mock.AddMethod(MAIN_IFACE, 'FindUserById', 'x', 'o',
                   f'if args[0] not in {sorted(users)}:\n'
                   "    raise dbus.exceptions.DBusException('No such user', name='org.freedesktop.Accounts.Error.Failed')\n"
                   f"ret = dbus.ObjectPath('{MAIN_OBJ}/User%d' % args[0])")
